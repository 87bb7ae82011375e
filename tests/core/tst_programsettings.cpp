#include "TestBoard.h"
#include "core/AppPaths.h"
#include "core/ErrorLog.h"
#include "core/ProgramSettings.h"
#include "core/QSettingsStore.h"

#include <QLocale>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {
// Makes each path of the layout below root: a folder ("a/"), a named pipe ("a|"), a link to a device ("a@")
// or a file holding the text after "=" (blanks and all), if any.
void make(const QString& root, const QString& layout) {
    for (const QString& entry : layout.section('=', 0, 0).split(' ', Qt::SkipEmptyParts)) {
        const QString path = root + '/' + QString(entry).remove(QRegularExpression("[/|@]$"));
        QVERIFY(QDir().mkpath(entry.endsWith('/') ? path : QFileInfo(path).path()));
        QFile file(path);
        if (entry.endsWith('|'))
            QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (entry.endsWith('@'))
            QVERIFY(QFile::link("/dev/null", path));
        else if (!entry.endsWith('/'))
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(layout.section('=', 1).toUtf8()) >= 0);
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
    const Option kinds[] = {Option::Sync, Option::ResetOnLoad, Option::Notify, Option::AllowRepos,
                            Option::Mute};
    for (int i = 0; i < 5; ++i)
        s += QChar(o.isChecked(kinds[i]) ? "SRNAM"[i] : "srnam"[i]);
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

// What lives on real files: the options kept between runs, the program's folder and the error log.
class TestProgramSettings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // What the first run reads (anything but a boolean text gives the default; mute is never read), and what
    // the next run reads of what it saved; a named pipe is neither read nor written, nor waited on.
    void settings_data() {
        textRows({"stored", "read"}, {{"first run", "", "SrNAm none | srnam file"},
                                      {"True", "True", "SRNAm file | sRnam file"},
                                      {"any case, blanks", " fAlse ", "srnAm file | SrNam file"},
                                      {"yes", "yes", "SrNAm file | srnam file"},
                                      {"a named pipe", "|", "SrNAm other | SrNAm other"}});
    }
    void settings() {
        QFETCH(QString, stored);
        QFETCH(QString, read);
        const QTemporaryDir dir;
        const QString path = dir.filePath("zentriq.conf");
        if (!stored.isEmpty())
            make(dir.path(), stored == "|" ? "zentriq.conf|"
                                           : "zentriq.conf=[misc]\nmute=True\nsyncClocks=" + stored +
                                                 "\nresetOnLoad=" + stored + "\nnotify=" + stored + "\n");
        const QString first = settingsState(path, true);
        QCOMPARE(first + " | " + settingsState(path, false), read);
    }

    // The first of the executable's own folder (bin) and share/zentriq beside it that holds either the tick
    // sound or the pictures; the executable's own when neither does.
    void programFolder_data() {
        textRows({"layout", "found"},
                 {{"pictures beside it", "bin/pictures/ share/zentriq/sounds/tick.wav", "bin"},
                  {"installed sound", "bin/ share/zentriq/sounds/tick.wav", "share/zentriq"},
                  {"installed pictures", "bin/ share/zentriq/pictures/", "share/zentriq"},
                  {"neither", "bin/ share/zentriq/sounds/", "bin"}});
    }
    void programFolder() {
        QFETCH(QString, layout);
        QFETCH(QString, found);
        const QTemporaryDir dir;
        make(dir.path(), layout);
        QCOMPARE(AppPaths::programFolder(dir.filePath("bin")), QDir::cleanPath(dir.filePath(found)));
    }

    // Two lines go beside the program, else to the fallback folder (made if missing, unlike the program's),
    // else nowhere; a named pipe or a device there is not waited on. A line that would take the log past
    // 1 MiB (x: the filler, ending that many bytes short of room for a line) moves it to error.log.1.
    void errorLog_data() {
        textRows({"layout", "logged"},
                 {{"no program folder", "", "data/zentriq/error.log 2"},
                  {"beside the program", "program/", "program/error.log 2"},
                  {"a named pipe there", "program/error.log|", "data/zentriq/error.log 2"},
                  {"a device there", "program/error.log@", "data/zentriq/error.log 2"},
                  {"the program folder is a file", "program", "data/zentriq/error.log 2"},
                  {"nowhere", "program data", " none"},
                  {"the line fits exactly", "program/error.log.1 program/error.log=0",
                   "program/error.log 1, old 1x"},
                  {"one byte too many", "program/error.log.1 program/error.log=-1",
                   "program/error.log 2, old 0x"}});
    }
    void errorLog() {
        QFETCH(QString, layout);
        QFETCH(QString, logged);
        QLocale::setDefault(QLocale::c()); // lines of one length
        const QTemporaryDir dir;
        const QByteArray line =
            (ErrorLog::formatLine(QDateTime::currentDateTime(), "Unable to play tick") + '\n').toUtf8();
        const int room = layout.section('=', 1).toInt();
        const QString filler(ErrorLog::maxBytes - line.size() - room, 'x');
        make(dir.path(), layout.contains('=') ? layout.section('=', 0, 0) + '=' + filler : layout);
        ErrorLog log(dir.filePath("program"), dir.filePath("data/zentriq"));
        log.logError("Unable to play tick");
        log.logError("Unable to play tick");
        const QString path = log.lastPathUsed(), old = path + ".1";
        QCOMPARE(QDir(dir.path()).relativeFilePath(path).remove(QRegularExpression("^\\.$")) + ' ' +
                     logState(path) + (QFileInfo::exists(old) ? ", old " + logState(old) : ""),
                 logged);
        QLocale::setDefault(QLocale("en_US")); // the date, the time without its zone, and the message
        QCOMPARE(ErrorLog::formatLine(QDateTime(QDate(2024, 3, 7), QTime(14, 5, 9)), "Unable to play"),
                 "3/7/24 2:05:09 PM Unable to play");
        QCOMPARE(ErrorLog::timeFormatWithoutZone("HH:mm 'at' t"), "HH:mm 'at'"); // quoted text stays whole
    }
};

QTEST_GUILESS_MAIN(TestProgramSettings)
#include "tst_programsettings.moc"
