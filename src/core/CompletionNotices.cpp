#include "core/CompletionNotices.h"

#include "core/IDesktopNotifier.h"
#include "core/IOptions.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

CompletionNotices::CompletionNotices(IDesktopNotifier& notifier, const IOptions& options,
                                     std::function<bool()> boardInView, std::function<QTime()> timeOfDay)
    : m_notifier(notifier), m_options(options), m_boardInView(std::move(boardInView)),
      m_timeOfDay(std::move(timeOfDay)) {}

QString CompletionNotices::summaryFor(const QVector<CompletedClock>& clocks) {
    QStringList names;
    for (const CompletedClock& c : clocks)
        names << (c.name.isEmpty() ? QStringLiteral("Clock") : c.name);
    if (names.size() == 1)
        return names.first();
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

QString CompletionNotices::bodyFor(QTime at) {
    // The locale's short time, without seconds where the locale shows them (the C locale does).
    QString format = QLocale().timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(QStringLiteral("[.:]ss?")));
    return QStringLiteral("Completed at ") + QLocale().toString(at, format);
}

void CompletionNotices::clocksCompleted(const QVector<CompletedClock>& clocks) {
    if (clocks.isEmpty() || !m_options.isChecked(Option::Notify) || m_boardInView())
        return;
    // The first of these clocks that still has a notification gives its place to this one.
    quint32 replaces = 0;
    for (const CompletedClock& c : clocks)
        if ((replaces = m_shown.value(c.id, 0)) != 0)
            break;
    const quint64 sending = ++m_sent;
    for (const CompletedClock& c : clocks)
        m_sentFor.insert(c.id, sending);
    QVector<double> ids;
    for (const CompletedClock& c : clocks)
        ids << c.id;
    m_notifier.show(summaryFor(clocks), bodyFor(m_timeOfDay()), replaces, [this, ids, sending](quint32 id) {
        for (double clockId : ids)
            if (m_sentFor.value(clockId) == sending)
                m_shown.insert(clockId, id);
    });
}
