#pragma once
#include "core/ITimeSource.h"

// A counter the test moves by hand.
class FakeTimeSource final : public ITimeSource {
public:
    explicit FakeTimeSource(qint64 start = 1000000) : m_now(start) {}
    qint64 nowMs() const override { return m_now; }
    void advance(qint64 ms) { m_now += ms; }
    void set(qint64 ms) { m_now = ms; }

private:
    qint64 m_now;
};
