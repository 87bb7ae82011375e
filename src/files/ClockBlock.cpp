#include "files/ClockBlock.h"

#include "clock/clsClock.h"
#include "core/TextNumber.h"
#include "files/ClockFileFormat.h"
#include "files/LineReader.h"

namespace ClockBlock {

namespace {
void line(QByteArray& out, const char* key, const QString& value) {
    out += "   ";
    out += key;
    out += ':';
    out += value.toUtf8();
    out += ClockFileFormat::lineEnd;
}

bool integer(const QString& key, const QString& value, qint16* result, ReadFailure* failure) {
    const auto number = TextNumber::integer16(value);
    if (number) {
        *result = *number;
        return true;
    }
    failure->reason = QStringLiteral("the value \"%1\" of \"%2\" is not a whole number from -32768 to 32767")
                          .arg(value.trimmed().left(40), key);
    return false;
}
} // namespace

void save(const clsClock& c, QByteArray& out) {
    using namespace ClockFileFormat;
    out += "<clock>";
    out += lineEnd;
    line(out, "id", real(c.ID()));
    line(out, "groupnum", QString::number(c.groupNum()));
    line(out, "linksto", real(c.linkID()));
    line(out, "type", QString::number(c.countType()));
    line(out, "comment", oneLine(c.purpose()));
    line(out, "soundactive", boolean(c.soundActive()));
    line(out, "duration", real(c.duration()));
    line(out, "currenttime", real(c.currentTime()));
    line(out, "x", shortReal(c.myX()));
    line(out, "y", shortReal(c.myY()));
    line(out, "active", boolean(c.active()));
    line(out, "soundactive", boolean(c.soundActive()));
    line(out, "alarmactive", boolean(c.alarmActive()));
    line(out, "alarmfile", oneLine(c.alarmFile()));
    static const char* const tickKeys[clsClock::bandCount] = {"tickvol0", "tickvol1", "tickvol2", "tickvol3",
                                                              "tickvol4"};
    for (int band = 0; band < clsClock::bandCount; ++band)
        line(out, tickKeys[band], QString::number(c.tickVol(band)));
    line(out, "alarmvol", QString::number(c.alarmVolume()));
    out += "</clock>";
    out += lineEnd;
    out += lineEnd;
}

bool load(clsClock& c, LineReader& lines, ReadFailure* failure) {
    QString text;
    while (lines.next(&text)) {
        failure->line = lines.lineNumber();
        const QString trimmed = text.trimmed();
        if (trimmed.compare(QLatin1String("</clock>"), Qt::CaseInsensitive) == 0)
            break;
        const qsizetype colon = trimmed.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        // The key in any letter case; the value as written, blanks after the colon included.
        const QString key = trimmed.left(colon).trimmed().toLower();
        const QString value = trimmed.mid(colon + 1);
        qint16 n = 0;
        if (key == QLatin1String("id")) {
            c.setStoredId(TextNumber::number(value));
        } else if (key == QLatin1String("linksto")) {
            c.setLinkID(TextNumber::number(value));
        } else if (key == QLatin1String("duration")) {
            c.setDuration(TextNumber::number(value));
        } else if (key == QLatin1String("currenttime")) {
            c.setCurrentTime(TextNumber::number(value));
        } else if (key == QLatin1String("groupnum")) {
            if (!integer(key, value, &n, failure))
                return false;
            c.setGroupNum(n);
        } else if (key == QLatin1String("type")) {
            if (!integer(key, value, &n, failure))
                return false;
            c.setCountType(n);
        } else if (key == QLatin1String("comment")) {
            c.setPurpose(value);
        } else if (key == QLatin1String("soundactive")) {
            c.setSoundActive(ClockFileFormat::readBoolean(value));
        } else if (key == QLatin1String("alarmactive")) {
            c.setAlarmActive(ClockFileFormat::readBoolean(value));
        } else if (key.size() == 8 && key.startsWith(QLatin1String("tickvol")) &&
                   key[7] >= QLatin1Char('0') && key[7] < QLatin1Char('0' + clsClock::bandCount)) {
            if (!integer(key, value, &n, failure))
                return false;
            c.setStoredTickVol(key[7].unicode() - '0', n);
        } else if (key == QLatin1String("alarmvol")) {
            if (!integer(key, value, &n, failure))
                return false;
            c.setAlarmVolume(n);
        } else if (key == QLatin1String("alarmfile")) {
            c.setAlarmFile(value);
        } else if (key == QLatin1String("x")) {
            c.setPosition(float(TextNumber::number(value)), c.myY());
        } else if (key == QLatin1String("y")) {
            c.setPosition(c.myX(), float(TextNumber::number(value)));
        }
        // Every other key, "active" among them, is left alone: a clock read from a file is stopped.
    }
    c.setSelected(false);
    c.setPosition(c.myX(), c.myY()); // the button corners follow the position read
    return true;
}

} // namespace ClockBlock
