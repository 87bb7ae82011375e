#include "core/QtEventPump.h"

#include "core/ITimeSource.h"

#include <QCoreApplication>
#include <QEvent>

QtEventPump::QtEventPump(const ITimeSource& time) : m_time(time) {
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
}

void QtEventPump::dispatch(std::optional<qint64> wakeAtMs) {
    if (wakeAtMs) {
        const qint64 delay = *wakeAtMs - m_time.nowMs();
        if (delay <= 0) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return;
        }
        m_wake.start(int(std::min<qint64>(delay, 24LL * 3600 * 1000)));
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    m_wake.stop();
    // Objects that ask to be deleted later would otherwise wait for an event loop that never starts.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
