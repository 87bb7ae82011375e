#include "display/GroupPainter.h"

#include "core/GroupTable.h"
#include "display/ICanvas.h"

void GroupPainter::drawGroupBounds(ICanvas& canvas, const GroupTable& groups) {
    for (int g = 0; g < GroupTable::groupCount; ++g) {
        const GroupRecord& r = groups.group(g);
        if (!r.inUse)
            continue;
        canvas.setForeColor(QColor(0, 0, 128));
        canvas.line(r.left, r.top, r.right, r.top);
        canvas.line(r.right, r.top, r.right, r.bottom);
        canvas.line(r.right, r.bottom, r.left, r.bottom);
        canvas.line(r.left, r.bottom, r.left, r.top);
        canvas.text(r.left, double(r.top) - labelRise, QStringLiteral("Group %1 : %2").arg(g).arg(r.name));
    }
}
