#include "files/ClockBlock.h"

#include "clock/clsClock.h"
#include "core/TextNumber.h"
#include "files/ClockFileFormat.h"
#include "files/LineReader.h"

namespace ClockBlock {

namespace {
void line(QByteArray& out, const char* key, const QByteArray& value) {
    out += "   ";
    out += key;
    out += ':';
    out += value;
    out += ClockFileFormat::lineEnd;
}

bool integer(QStringView key, QStringView value, qint16* result, ReadFailure* failure) {
    const auto number = TextNumber::integer16(value);
    if (number) {
        *result = *number;
        return true;
    }
    failure->reason = QStringLiteral("the value \"%1\" of \"%2\" is not a whole number from -32768 to 32767")
                          .arg(value.trimmed().left(40).toString(), key.toString().toLower());
    return false;
}

bool is(QStringView key, const char* name) {
    return key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}
} // namespace

void save(const clsClock& c, QByteArray& out) {
    using namespace ClockFileFormat;
    out += "<clock>";
    out += lineEnd;
    line(out, "id", real(c.ID()));
    line(out, "groupnum", QByteArray::number(c.groupNum()));
    line(out, "linksto", real(c.linkID()));
    line(out, "type", QByteArray::number(c.countType()));
    line(out, "comment", oneLine(c.purpose()).toUtf8());
    line(out, "soundactive", boolean(c.soundActive()));
    line(out, "duration", real(c.duration()));
    line(out, "currenttime", real(c.currentTime()));
    line(out, "x", shortReal(c.myX()));
    line(out, "y", shortReal(c.myY()));
    line(out, "active", boolean(c.active()));
    line(out, "soundactive", boolean(c.soundActive()));
    line(out, "alarmactive", boolean(c.alarmActive()));
    line(out, "alarmfile", oneLine(c.alarmFile()).toUtf8());
    static const char* const tickKeys[clsClock::bandCount] = {"tickvol0", "tickvol1", "tickvol2", "tickvol3",
                                                              "tickvol4"};
    for (int band = 0; band < clsClock::bandCount; ++band)
        line(out, tickKeys[band], QByteArray::number(c.tickVol(band)));
    line(out, "alarmvol", QByteArray::number(c.alarmVolume()));
    out += "</clock>";
    out += lineEnd;
    out += lineEnd;
}

bool load(clsClock& c, LineReader& lines, ReadFailure* failure) {
    QString text;
    while (lines.next(&text)) {
        failure->line = lines.lineNumber();
        const QStringView trimmed = QStringView(text).trimmed();
        if (is(trimmed, "</clock>"))
            break;
        const qsizetype colon = trimmed.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        // The key in any letter case; the value as written, blanks after the colon included.
        const QStringView key = trimmed.left(colon).trimmed();
        const QStringView value = trimmed.mid(colon + 1);
        qint16 n = 0;
        if (is(key, "id")) {
            c.setStoredId(TextNumber::number(value));
        } else if (is(key, "linksto")) {
            c.setLinkID(TextNumber::number(value));
        } else if (is(key, "duration")) {
            c.setDuration(TextNumber::number(value));
        } else if (is(key, "currenttime")) {
            c.setCurrentTime(TextNumber::number(value));
        } else if (is(key, "groupnum")) {
            if (!integer(key, value, &n, failure))
                return false;
            c.setGroupNum(n);
        } else if (is(key, "type")) {
            if (!integer(key, value, &n, failure))
                return false;
            c.setCountType(n);
        } else if (is(key, "comment")) {
            c.setPurpose(value.toString());
        } else if (is(key, "soundactive")) {
            c.setSoundActive(ClockFileFormat::readBoolean(value));
        } else if (is(key, "alarmactive")) {
            c.setAlarmActive(ClockFileFormat::readBoolean(value));
        } else if (key.size() == 8 && key.startsWith(QLatin1String("tickvol"), Qt::CaseInsensitive) &&
                   key[7] >= QLatin1Char('0') && key[7] < QLatin1Char('0' + clsClock::bandCount)) {
            if (!integer(key, value, &n, failure))
                return false;
            c.setStoredTickVol(key[7].unicode() - '0', n);
        } else if (is(key, "alarmvol")) {
            if (!integer(key, value, &n, failure))
                return false;
            c.setAlarmVolume(n);
        } else if (is(key, "alarmfile")) {
            c.setAlarmFile(value.toString());
        } else if (is(key, "x")) {
            c.setPosition(float(TextNumber::number(value)), c.myY());
        } else if (is(key, "y")) {
            c.setPosition(c.myX(), float(TextNumber::number(value)));
        }
        // Every other key, "active" among them, is left alone: a clock read from a file is stopped.
    }
    // The clock is unselected from its creation, and setPosition keeps its button corners in step.
    return true;
}

} // namespace ClockBlock
