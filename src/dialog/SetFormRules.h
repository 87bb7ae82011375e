#pragma once
#include <QRect>
#include <QString>
#include <QStringList>

class clsClock;

// The rules of the Set Clock dialog that need no widgets: how its fields become clock values.
namespace SetFormRules {
// hours × 3600 + minutes × 60 + seconds, each read leniently (unreadable text counts as 0).
double durationFromFields(const QString& hours, const QString& minutes, const QString& seconds);
// The link list's entry for a clock: "Tea | 3".
QString linkEntry(const QString& name, double id);
// The identifier after the entry's last " | ", so a name holding " | " still reads right; 0 without one.
double linkIDFromEntry(const QString& entry);
// Which direction button shows a count type: 0 counts down, anything else counts up.
int countTypeOption(qint16 countType);
// Name, link, direction and duration from the dialog. Changing the direction stops the clock; a clock
// that is not running then takes the new duration and is reset, a running one keeps its time.
void applyClockSettings(clsClock& clock, double duration, const QString& name, bool countUp,
                        const QString& linkEntry);
// Browse's file types: wave first, then every other type the sound layer decodes, then all files.
QStringList alarmFileFilters(const QStringList& decodedFormats);
// The dialog's top-left: wanted, rounded and moved just enough to keep a window of this size inside the
// area; a point that is no number goes to the area's top-left.
QPoint keepInside(QPointF wanted, QSize size, const QRect& area);
} // namespace SetFormRules
