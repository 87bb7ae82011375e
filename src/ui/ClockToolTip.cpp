#include "ui/ClockToolTip.h"

#include "clock/clsClock.h"
#include "core/ClockCollection.h"
#include "core/GroupTable.h"
#include "core/TimeText.h"

#include <QStringList>

QString ClockToolTip::text(const ClockCollection& clocks, int index) {
    const clsClock& c = clocks.clock(index);
    const auto named = [](const QString& name) {
        return name.isEmpty() ? QStringLiteral("(no name)") : name;
    };
    QStringList lines{named(c.purpose())};
    lines << TimeText::clockText(c.currentTime()) +
                 (c.countType() == 0 ? QStringLiteral(", counting down") : QStringLiteral(", counting up"));
    const int linked = c.linkID() >= 1 ? clocks.findClockIndex(c.linkID()) : -1;
    lines << QStringLiteral("Triggers: ") +
                 (linked >= 0 ? named(clocks.clock(linked).purpose()) : QStringLiteral("nothing"));
    const int group = c.groupNum();
    lines << (GroupTable::isGroup(group)
                  ? QStringLiteral("Group %1 : %2").arg(group).arg(clocks.groups().name(group))
                  : QStringLiteral("In no group"));
    return lines.join(QLatin1Char('\n'));
}
