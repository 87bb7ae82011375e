#include "core/MainLoop.h"

#include "clock/clsClock.h"
#include "core/ClockCollection.h"
#include "core/IEventPump.h"
#include "core/IOptions.h"
#include "core/IPassView.h"
#include "core/ITimeSource.h"
#include "core/RepaintScheduler.h"

#include <algorithm>

MainLoop::MainLoop(ClockCollection& clocks, ITimeSource& time, IOptions& options, IEventPump& pump,
                   IPassView& view, RepaintScheduler& repaint)
    : m_clocks(clocks), m_time(time), m_options(options), m_pump(pump), m_view(view), m_repaint(repaint) {
    m_wasSync = m_options.isChecked(Option::Sync);
    m_clocks.setStartListener([this] { clockStarted(); });
}

MainLoop::~MainLoop() {
    m_clocks.setStartListener({});
}

int MainLoop::run() {
    while (!m_quit)
        pass();
    return m_exitCode;
}

void MainLoop::requestQuit(int exitCode) {
    m_quit = true;
    m_exitCode = exitCode;
}

void MainLoop::pass() {
    advance();
    switch (m_repaint.take(m_time.nowMs())) {
    case RepaintScheduler::Repaint::Whole:
        m_view.present();
        break;
    case RepaintScheduler::Repaint::ChangedClocks:
        m_view.presentChangedClocks();
        break;
    case RepaintScheduler::Repaint::None:
        break;
    }
    m_pump.dispatch(nextWakeMs());
}

void MainLoop::tickInBatches(qint64 seconds) {
    // A count is 16 bits wide; a longer hold is counted in several batches, none lost.
    while (seconds > 0) {
        const qint64 batch = std::min<qint64>(seconds, 32767);
        if (m_clocks.tickAll(qint16(batch)))
            m_repaint.requestChangedClocks();
        seconds -= batch;
    }
}

void MainLoop::switchMode(bool sync, qint64 now) {
    m_wasSync = sync;
    if (sync) {
        // The common count goes on from the latest second a running clock counted on its own: that clock
        // loses no part of its second, and no clock counts a second twice.
        m_loopLastTick = m_clocks.latestOwnSecondMs().value_or(now);
    } else if (m_loopLastTick) {
        // Each clock's own second carries on from the last common count.
        for (int i = 0; i < m_clocks.clockCount(); ++i)
            m_clocks.clock(i).alignSecondTo(*m_loopLastTick);
    }
}

void MainLoop::clockStarted() {
    // While nothing runs the loop sleeps and the common count stands still. A clock that starts then brings
    // it up to date, keeping its phase, so the clock does not count the quiet spell; a loop held up while
    // clocks run still catches up in full.
    if (!m_running && m_loopLastTick) {
        const qint64 behind = m_time.nowMs() - *m_loopLastTick;
        if (behind >= 1000)
            *m_loopLastTick += behind / 1000 * 1000;
    }
    m_running = true;
}

void MainLoop::advance() {
    const qint64 now = m_time.nowMs();
    const bool sync = m_options.isChecked(Option::Sync);
    if (sync != m_wasSync)
        switchMode(sync, now);
    if (!sync || !m_loopLastTick) {
        if (m_clocks.tickAll(0))
            m_repaint.requestChangedClocks();
        if (sync)
            m_loopLastTick = now;
    } else if (now - *m_loopLastTick >= 1000) {
        const qint64 seconds = (now - *m_loopLastTick) / 1000;
        // Advance by the seconds counted, so the fraction is carried to the next count.
        *m_loopLastTick += seconds * 1000;
        tickInBatches(seconds);
    }
    m_running = m_clocks.anyActive();
}

std::optional<qint64> MainLoop::nextWakeMs() const {
    std::optional<qint64> wake;
    const auto earliest = [&wake](qint64 t) { wake = wake ? std::min(*wake, t) : t; };
    if (!m_options.isChecked(Option::Sync)) {
        const qint64 own = m_clocks.nextOwnSecondMs();
        if (own >= 0)
            earliest(own);
    } else if (m_running) {
        earliest(m_loopLastTick ? *m_loopLastTick + 1000 : m_time.nowMs());
    }
    const qint64 paint = m_repaint.dueAtMs();
    if (paint >= 0)
        earliest(paint);
    return wake;
}
