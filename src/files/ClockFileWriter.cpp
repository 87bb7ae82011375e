#include "files/ClockFileWriter.h"

#include "core/ClockCollection.h"
#include "core/IOptions.h"
#include "files/ClockBlock.h"
#include "files/ClockFileFormat.h"
#include "files/VersionCheck.h"

namespace ClockFileWriter {

namespace {
void line(QByteArray& out, const char* key, const QByteArray& value) {
    out += key;
    out += '=';
    out += value;
    out += ClockFileFormat::lineEnd;
}
} // namespace

QByteArray write(const ClockCollection& clocks, const WindowTwips& window) {
    using namespace ClockFileFormat;
    const IOptions& options = clocks.environment().options;
    QByteArray out;
    // About 380 bytes a clock; one allocation for a board of any size.
    out.reserve(600 + qsizetype(clocks.clockCount()) * 400);
    line(out, "progver", VersionCheck::getVersion().toUtf8());
    line(out, "formtop", shortReal(window.top));
    line(out, "formleft", shortReal(window.left));
    line(out, "formwidth", shortReal(window.width));
    line(out, "formheight", shortReal(window.height));
    line(out, "showboxes", boolean(options.isChecked(Option::ViewBounds)));
    line(out, "autoarrange", boolean(options.isChecked(Option::ViewArrange)));
    line(out, "mute", boolean(options.isChecked(Option::Mute)));
    for (int g = 0; g < GroupTable::groupCount; ++g)
        line(out, QByteArray("groupname" + QByteArray::number(g)).constData(),
             oneLine(clocks.groups().name(g)).toUtf8());
    for (int i = 0; i < clocks.clockCount(); ++i)
        ClockBlock::save(clocks.clock(i), out);
    return out;
}

} // namespace ClockFileWriter
