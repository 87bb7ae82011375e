#include "files/ClockFileWriter.h"

#include "core/ClockCollection.h"
#include "core/IOptions.h"
#include "files/ClockBlock.h"
#include "files/ClockFileFormat.h"
#include "files/VersionCheck.h"

namespace ClockFileWriter {

namespace {
void line(QByteArray& out, const QString& key, const QString& value) {
    out += key.toUtf8();
    out += '=';
    out += value.toUtf8();
    out += ClockFileFormat::lineEnd;
}
} // namespace

QByteArray write(const ClockCollection& clocks, const WindowTwips& window) {
    using namespace ClockFileFormat;
    const IOptions& options = clocks.environment().options;
    QByteArray out;
    // About 380 bytes a clock; one allocation for a board of any size.
    out.reserve(600 + qsizetype(clocks.clockCount()) * 400);
    line(out, QStringLiteral("progver"), VersionCheck::getVersion());
    line(out, QStringLiteral("formtop"), shortReal(window.top));
    line(out, QStringLiteral("formleft"), shortReal(window.left));
    line(out, QStringLiteral("formwidth"), shortReal(window.width));
    line(out, QStringLiteral("formheight"), shortReal(window.height));
    line(out, QStringLiteral("showboxes"), boolean(options.isChecked(Option::ViewBounds)));
    line(out, QStringLiteral("autoarrange"), boolean(options.isChecked(Option::ViewArrange)));
    line(out, QStringLiteral("mute"), boolean(options.isChecked(Option::Mute)));
    for (int g = 0; g < GroupTable::groupCount; ++g)
        line(out, QStringLiteral("groupname%1").arg(g), oneLine(clocks.groups().name(g)));
    for (int i = 0; i < clocks.clockCount(); ++i)
        ClockBlock::save(clocks.clock(i), out);
    return out;
}

} // namespace ClockFileWriter
