#include "dialog/SetFormRules.h"

#include "clock/clsClock.h"
#include "core/TextNumber.h"

#include <algorithm>
#include <cmath>

namespace SetFormRules {

double durationFromFields(const QString& hours, const QString& minutes, const QString& seconds) {
    double duration = TextNumber::number(hours) * 3600;
    duration += TextNumber::number(minutes) * 60;
    duration += TextNumber::number(seconds);
    return duration;
}

QString linkEntry(const QString& name, double id) {
    return name + QStringLiteral(" | ") + QString::number(id, 'g', 15);
}

double linkIDFromEntry(const QString& entry) {
    static const QString separator = QStringLiteral(" | ");
    const qsizetype at = entry.lastIndexOf(separator);
    if (at < 0)
        return 0;
    return TextNumber::number(entry.mid(at + separator.size()));
}

int countTypeOption(qint16 countType) {
    return countType == 0 ? 0 : 1;
}

void applyClockSettings(clsClock& clock, double duration, const QString& name, bool countUp,
                        const QString& linkEntry) {
    clock.setPurpose(name);
    clock.setLinkID(linkIDFromEntry(linkEntry));
    const qint16 type = countUp ? 1 : 0;
    if (clock.countType() != type)
        clock.setActive(false);
    clock.setCountType(type);
    if (!clock.active()) {
        clock.setDuration(duration);
        clock.resetClock();
    }
}

QStringList alarmFileFilters(const QStringList& decodedFormats) {
    static const QString wave = QStringLiteral("(*.wav)");
    QStringList filters{QStringLiteral("Wave Audio ") + wave};
    for (const QString& format : decodedFormats)
        if (!format.endsWith(wave) && !filters.contains(format))
            filters << format;
    filters << QStringLiteral("All Files (*.*)");
    return filters;
}

QPoint keepInside(QPointF wanted, QSize size, const QRect& area) {
    const auto fit = [](double want, int low, int high) {
        return std::isfinite(want) ? int(std::lround(std::max(double(low), std::min(want, double(high)))))
                                   : low;
    };
    return {fit(wanted.x(), area.left(), area.right() + 1 - size.width()),
            fit(wanted.y(), area.top(), area.bottom() + 1 - size.height())};
}

} // namespace SetFormRules
