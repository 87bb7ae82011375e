#include "core/SeededRandom.h"

#include <QTime>

SeededRandom::SeededRandom(unsigned seed) : m_engine(seed) {}

unsigned SeededRandom::secondsSinceMidnight() {
    return unsigned(QTime::currentTime().msecsSinceStartOfDay() / 1000);
}

double SeededRandom::next() {
    return m_dist(m_engine);
}
