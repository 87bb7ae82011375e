#pragma once
#include "core/ClockCollection.h"

#include <QHash>
#include <QTime>
#include <QVector>
#include <functional>

class IDesktopNotifier;
class IOptions;

// Tells the desktop when clocks complete: one notification for all clocks that complete in one count,
// replacing the earlier notification of the same clock, and none while the user is looking at the board.
class CompletionNotices {
public:
    CompletionNotices(IDesktopNotifier& notifier, const IOptions& options, std::function<bool()> boardInView,
                      std::function<QTime()> timeOfDay = &QTime::currentTime);

    void clocksCompleted(const QVector<CompletedClock>& clocks);

    // "Pasta", or "Pasta, Rice and Tea"; a clock without a name is "Clock".
    static QString summaryFor(const QVector<CompletedClock>& clocks);
    // "Completed at 14:32", in the locale's short time.
    static QString bodyFor(QTime at);

private:
    IDesktopNotifier& m_notifier;
    const IOptions& m_options;
    std::function<bool()> m_boardInView;
    std::function<QTime()> m_timeOfDay;
    QHash<double, quint32> m_shown; // clock identifier -> its latest notification
    quint64 m_sent = 0;             // so a late answer does not overwrite a newer one
    QHash<double, quint64> m_sentFor;
};
