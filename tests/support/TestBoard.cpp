#include "TestBoard.h"

#include "clock/clsClock.h"

double ScriptedRandom::next() {
    if (!queue.empty()) {
        const double r = queue.front();
        queue.pop_front();
        return r;
    }
    m_step += 0.0001234;
    if (m_step >= 1.0)
        m_step -= 1.0;
    return m_step;
}

TestBoard::TestBoard() {
    sound.available = {tickPath(), alarmPath()};
}

clsClock& TestBoard::add(double duration, double linkTo) {
    clsClock* c = clocks.appendClock();
    c->setDuration(duration);
    c->setLinkID(linkTo);
    c->resetClock();
    return *c;
}
