#include "TestBoard.h"
#include "core/AppPaths.h"
#include "core/CommandLine.h"
#include "core/ErrorLog.h"
#include "core/ProgramSettings.h"
#include "core/QSettingsStore.h"
#include "core/TextNumber.h"
#include "core/TimeText.h"

#include <QLocale>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {
// Makes each path of the layout below root: a folder ("a/"), a named pipe ("a|"), a link to a device ("a@")
// or a file holding the text.
void make(const QString& root, const QString& layout, const QString& text) {
    for (const QString& entry : layout.split(' ', Qt::SkipEmptyParts)) {
        const QString path = root + '/' + QString(entry).remove(QRegularExpression("[/|@]$"));
        QVERIFY(QDir().mkpath(entry.endsWith('/') ? path : QFileInfo(path).path()));
        QFile file(path);
        if (entry.endsWith('|'))
            QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (entry.endsWith('@'))
            QVERIFY(QFile::link("/dev/null", path));
        else if (!entry.endsWith('/'))
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0);
    }
}

// The options read (capital: on) and what stands at the path; then, if asked, sync, notify and
// repositioning turned over and saved.
QString settingsState(const QString& path, bool turnOver) {
    OptionSet o; // start from the opposite of every default
    for (Option k : {Option::Sync, Option::ResetOnLoad, Option::AllowRepos, Option::Notify})
        o.setChecked(k, k == Option::ResetOnLoad);
    QSettingsStore store(path);
    ProgramSettings settings(store, o);
    settings.loadSettings();
    QString s;
    for (Option k : {Option::Sync, Option::ResetOnLoad, Option::Notify, Option::AllowRepos, Option::Mute})
        s += QChar(o.isChecked(k) ? "SRNAM"[s.size()] : "srnam"[s.size()]);
    const QFileInfo file(path);
    s += !file.exists() ? " none" : file.isFile() ? " file" : " other";
    for (Option k : {Option::Sync, Option::AllowRepos, Option::Notify})
        o.setChecked(k, o.isChecked(k) != turnOver);
    if (turnOver)
        settings.saveSettings();
    return s;
}

// The lines in a file, and "x" when it holds the filler the row wrote.
QString logState(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("none");
    const QByteArray text = file.readAll();
    return QString::number(text.count('\n')) + (text.contains('x') ? "x" : "");
}

} // namespace

// What start-up reads and keeps: the options kept between runs, the program's folder, the error log, the
// clock file named on the command line; and the lenient numbers of fields and files, and times as shown.
class TestProgramSettings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The options a run reads and then the next run reads of what it saved (mute is never read); the program
    // folder found from bin; where two lines for the error log go. In the layout, "conf=V" stores V for each
    // option, "log=N" fills the log to N bytes short of room for a line, so that the line then moves it
    // aside.
    void files_data() {
        textRows(
            {"layout", "shown"},
            {{"first run", "", "bin | data/zentriq 2"},
             {"True", "zentriq.conf=True", "SRNAm file, sRnam file | bin | data/zentriq 2"},
             {"any case, blanks", "zentriq.conf= fAlse ", "srnAm file, SrNam file | bin | data/zentriq 2"},
             {"yes", "zentriq.conf=yes", "SrNAm file, srnam file | bin | data/zentriq 2"},
             {"settings in a named pipe", "zentriq.conf|", "SrNAm other, SrNAm other | bin | data/zentriq 2"},
             {"pictures beside it", "bin/pictures/ share/zentriq/sounds/tick.wav", "bin | data/zentriq 2"},
             {"installed sound", "bin/ share/zentriq/sounds/tick.wav", "share/zentriq | data/zentriq 2"},
             {"installed pictures", "bin/ share/zentriq/pictures/", "share/zentriq | data/zentriq 2"},
             {"neither", "bin/ share/zentriq/sounds/", "bin | data/zentriq 2"},
             {"log beside the program", "program/", "bin | program 2"},
             {"log in a named pipe", "program/error.log|", "bin | data/zentriq 2"},
             {"log on a device", "program/error.log@", "bin | data/zentriq 2"},
             {"log nowhere", "program data", "bin |  none"},
             {"the line fits exactly", "program/error.log.1 program/error.log=0", "bin | program 1, old 1x"},
             {"one byte too many", "program/error.log.1 program/error.log=-1", "bin | program 2, old 0x"}});
    }
    void files() {
        QFETCH(QString, layout);
        QFETCH(QString, shown);
        QLocale::setDefault(QLocale::c()); // lines of one length
        const QTemporaryDir dir;
        const QByteArray line =
            (ErrorLog::formatLine(QDateTime::currentDateTime(), "Unable to play tick") + '\n').toUtf8();
        const QString v = layout.section('=', 1);
        make(dir.path(), layout.section('=', 0, 0),
             layout.contains("conf=")
                 ? "[misc]\nmute=True\nsyncClocks=" + v + "\nresetOnLoad=" + v + "\nnotify=" + v
                 : QString(ErrorLog::maxBytes - line.size() - v.toInt(), 'x'));
        const QString conf = dir.filePath("zentriq.conf"), firstRun = settingsState(conf, true);
        QStringList s{firstRun + ", " + settingsState(conf, false),
                      QDir(dir.path()).relativeFilePath(AppPaths::programFolder(dir.filePath("bin")))};
        ErrorLog log(dir.filePath("program"), dir.filePath("data/zentriq"));
        log.logError("Unable to play tick");
        log.logError("Unable to play tick");
        const QString path = log.lastPathUsed(), old = path + ".1";
        s << QDir(dir.path()).relativeFilePath(QFileInfo(path).path()).remove(QRegularExpression("^\\.$")) +
                 ' ' + logState(path) + (QFileInfo::exists(old) ? ", old " + logState(old) : "");
        QCOMPARE(s.join(" | ").remove("SrNAm none, srnam file | "), shown); // a first run's: left out
        QLocale::setDefault(QLocale("en_US")); // the date, the time without its zone, and the message
        QCOMPARE(ErrorLog::formatLine(QDateTime(QDate(2024, 3, 7), QTime(14, 5, 9)), "Unable to play"),
                 "3/7/24 2:05:09 PM Unable to play");
        QCOMPARE(ErrorLog::timeFormatWithoutZone("HH:mm 'at' t"), "HH:mm 'at'"); // quoted text stays whole
    }

    // The number, the integer rounded half to even ("none" past 16 bits), and the number as a clock shows it.
    void number_data() {
        textRows({"text", "read"},
                 {{"blanks and a fraction", " \t 59.9", "59.9 60 00:00:59"},
                  {"sign and exponent", "-1.5E+3", "-1500 -1500 -00:25:00"},
                  {"plus, point first, exponent", "+.5e-2", "0.005 0 00:00:00"},
                  {"two signs", "--5", "0 0 00:00:00"},
                  {"infinity is no number", "inf", "0 0 00:00:00"},
                  {"exponent without digits", "2e", "2 2 00:00:02"},
                  {"comma is no point", "1,5", "1 1 00:00:01"},
                  {"overflow", "1e999", "0 0 00:00:00"},
                  {"largest", "32767", "32767 32767 09:06:07"},
                  {"too large", "32768", "32768 none 09:06:08"},
                  {"too small", "-32769", "-32769 none -09:06:09"},
                  {"64 characters", "-" + QString(63, '0'), "0 0 00:00:00"},
                  {"63 characters", "9" + QString(62, '0'), "9e+62 none 1000000000000000:00:00"},
                  {"long text", " 42" + QString(80, QChar(0x2592)), "42 42 00:00:42"},
                  {"past 16-bit hours", "117964800", "1.17965e+08 none 32768:00:00"},
                  {"overshot by a fraction", "-0.5", "-0.5 0 00:00:00"}});
    }
    void number() {
        QFETCH(QString, text);
        QFETCH(QString, read);
        const double n = TextNumber::number(text);
        const auto rounded = TextNumber::integer16(text);
        QCOMPARE(QStringList({QString::number(n), rounded ? QString::number(*rounded) : "none",
                              TimeText::clockText(n)})
                     .join(' '),
                 read);
    }

    // The arguments (tab between them) make one path; bytes that are not UTF-8 are kept for opening it.
    void commandLine_data() {
        textRows({"arguments", "file"},
                 {{"empty", "", " | "},
                  {"words joined, quoted, capitals", "\"/my\tb.CLK\"", "/my b.CLK | /my b.CLK"},
                  {"only a leading quote", "\"/a.clk", "/a.clk | /a.clk"},
                  {"inner quotes stay", "\"/\"b\".clk\"", "/\"b\".clk | /\"b\".clk"},
                  {"a single quote", "\"", " | "},
                  {"trailing blank", "/a.clk ", " | "},
                  {"other extension", "/a.clock", " | "},
                  {"not UTF-8", "/caf\u00e9.clk", "/caf\ufffd.clk | /caf\u00e9.clk"}});
    }
    void commandLine() {
        QFETCH(QString, arguments);
        QFETCH(QString, file);
        const auto found = CommandLine::clockFileFromArguments(arguments.toLatin1().split('\t'));
        QCOMPARE(found.path + " | " + QString::fromLatin1(found.native), file);
    }
};

QTEST_GUILESS_MAIN(TestProgramSettings)
#include "tst_programsettings.moc"
