#include "FakeBoardWindow.h"
#include "FakeFileChooser.h"
#include "FakeFilePrompts.h"
#include "TestBoard.h"
#include "files/ClockFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {
const QByteArray kTwoClocks =
    "progver=1.0.3\r\ngroupname4=Oven\r\n<clock>\r\n   id:11\r\n   groupnum:4\r\n"
    "   duration:60\r\n   currenttime:20\r\n   x:3000\r\n   y:2000\r\n</clock>\r\n\r\n"
    "<clock>\r\n   id:12\r\n</clock>\r\n\r\n";

// The commands over a board of fakes, with real files in a temporary folder.
struct Files {
    QTemporaryDir dir;
    TestBoard b;
    FakeBoardWindow window;
    FakeFilePrompts prompts;
    FakeFileChooser chooser;
    ClockFiles files;

    // The program's folder below a plain file cannot hold the clocks folder, even for root.
    explicit Files(bool blocked = false)
        : files(b.clocks, window, prompts, chooser, dir.filePath(blocked ? "old.clk/program" : "program"),
                dir.filePath("user")) {}
    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const QByteArray& content) const {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return path(name);
    }
    // The files a row made or that hold the changed board ("?": one that does not hold it).
    QString disk() const {
        QStringList out;
        for (QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            QFile file(it.next());
            const QString name = QDir(dir.path()).relativeFilePath(file.fileName());
            const bool board = file.size() < 1 << 20 && file.open(QIODevice::ReadOnly) &&
                               file.readAll().contains("comment:new");
            if (board || !QStringList({"a.clk", "old.clk", "two.clk", "bad.clk", "large"}).contains(name))
                out << name + (board ? "" : "?");
        }
        return out.isEmpty() ? QString() : "disk " + out.join(',');
    }
    QString rel(const QString& p) const { return QString(p).replace(dir.path(), "@"); }
    // One step of a script; a command answers "+" or "-".
    QString run(const QString& op) {
        const QString arg = op.section(':', 1);
        const auto done = [](bool ok) { return QString(ok ? "+" : "-"); };
        if (op == "mark") {
            b.clocks.markChanged();
        } else if (op == "change") {
            b.add(30).setPurpose(QStringLiteral("new"));
            b.clocks.markChanged();
        } else if (op == "fifo") {
            ::mkfifo(QFile::encodeName(path(op)).constData(), 0600);
        } else if (op == "large") {
            QFile::resize(write(op, ""), 300 << 20); // sparse: costs no disk
        } else if (op.startsWith("c:")) {
            chooser.answer = arg.isEmpty() ? QString() : path(arg);
        } else if (op.startsWith("o:")) {
            return done(files.loadClocks(arg == "-" ? QString() : arg.startsWith('/') ? arg : path(arg)));
        } else if (op.startsWith("r:")) { // a relative name, as the command line gives it
            QDir::setCurrent(dir.path());
            const bool ok = files.loadClocks(arg, QFile::encodeName(arg));
            QDir::setCurrent(QDir::rootPath());
            return done(ok);
        } else if (op == "native") { // a name that is not valid UTF-8 opens through its own bytes
            const QByteArray native = QFile::encodeName(dir.path()) + "/caf\xE9.clk";
            const int fd = ::open(native.constData(), O_WRONLY | O_CREAT, 0600);
            const bool written = ::write(fd, kTwoClocks.constData(), size_t(kTwoClocks.size())) > 0;
            ::close(fd);
            const bool ok = written && files.loadClocks(QFile::decodeName(native), native);
            ::unlink(native.constData());
            return done(ok);
        } else if (op.startsWith("g:")) {
            using Choice = IFilePrompts::SaveChoice;
            prompts.answer = arg == "save"      ? Choice::Save
                             : arg == "discard" ? Choice::Discard
                                                : Choice::Cancel;
            return done(files.mayDiscardBoard());
        } else if (op == "s" || op == "a") {
            return done(op == "s" ? files.saveClocks() : files.saveClocksAs());
        } else if (op == "full") { // the disk fills up half-way through a save of some 80 KB
            for (int i = 0; i < 200; ++i)
                b.add(i).setPurpose("new");
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit old{}, full{};
            ::getrlimit(RLIMIT_FSIZE, &old);
            full = {4096, old.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &full);
            const bool saved = files.saveClocks();
            ::setrlimit(RLIMIT_FSIZE, &old);
            return done(saved);
        }
        return {};
    }
};
} // namespace

// Opening, saving and the question before a board with unsaved changes is thrown away, on real files.
class TestClockFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Each row runs commands ("+"/"-" for success) and sums up the file, the board, the question, the file
    // dialog (its folder and proposed name), the messages and what changed on disk.
    void commands_data() {
        textRows(
            {"script", "state"},
            {{"missing", "change o:gone",
              "- @/gone saved new board | open @/gone: No such file or directory."},
             {"folder", "o:sub", "- @/sub saved new board | open @/sub: it is a folder, not a clock file."},
             {"named pipe", "fifo o:fifo",
              "- @/fifo saved new board | open @/fifo: it is not a regular file."},
             {"device", "o:/dev/zero",
              "- /dev/zero saved new board | open /dev/zero: it is not a regular file."},
             {"too large", "large o:large",
              "- @/large saved new board | open @/large: the file is larger than 256 MB, too large for a "
              "board."},
             {"overflow keeps what was read", "o:bad.clk",
              "- @/bad.clk 0 saved new board | read @/bad.clk: Line 5: the value \"40000\" of \"type\" is "
              "not a whole number from -32768 to 32767. (only some)"},
             {"open dialog", "change c:two.clk o:-",
              "+ @/two.clk 20@3000,2000 0 g4@2300 saved new board dialog:"},
             {"open dialog in the user's folder", "blocked c:two.clk o:-",
              "+ @/two.clk 20@3000,2000 0 g4@2300 saved new board dialog@/user/clocks:"},
             {"laid out in rows when the file asks", "o:a.clk",
              "+ @/a.clk 20@900,650 0@3000,650 g4@200 saved new board"},
             {"open dialog cancelled", "change o:-", "- 30 changed dialog:"},
             {"save to the current file", "o:old.clk change s",
              "+ + @/old.clk 30 saved new board | saved old.clk disk old.clk"},
             {"save without a file asks", "change c:new.clk s",
              "+ @/new.clk 30 saved dialog: | saved new.clk disk new.clk"},
             {"save as another", "o:old.clk change c:new.clk a",
              "+ + @/new.clk 30 saved new board dialog:@/old.clk | saved new.clk disk new.clk"},
             {"extension added", "change c:plain a",
              "+ @/plain.clk 30 saved dialog: | saved plain.clk disk plain.clk"},
             {"save as cancelled", "o:old.clk change a",
              "+ - @/old.clk 30 changed new board dialog:@/old.clk"},
             {"below a plain file", "change c:old.clk/x.clk s",
              "- 30 changed dialog: | save @/old.clk/x.clk: Not a directory. (kept)"},
             {"a folder", "change c:sub a",
              "- 30 changed dialog: | save @/sub: Filename refers to a directory. (kept)"},
             {"disk full", "o:old.clk full",
              "+ - @/old.clk 0 1 2 saved new board | save @/old.clk: Unknown error. (kept)"},
             {"a relative name is saved back by name", "r:two.clk change s",
              "+ + @/two.clk 20@3000,2000 0 30 g4@2300 saved new board | saved two.clk disk two.clk"},
             {"a name only its bytes reach: Save asks", "native s",
              "+ - @/caf\uFFFD.clk 20@3000,2000 0 g4@2300 saved new board dialog:@/caf\uFFFD.clk"},
             {"empty board goes on", "mark g:cancel", "+ changed"},
             {"save goes on", "change c:b.clk g:save",
              "+ @/b.clk 30 saved question dialog: | saved b.clk disk b.clk"},
             {"save cancelled stays", "change g:save", "- 30 changed question dialog:"}});
    }
    void commands() {
        QFETCH(QString, script);
        QFETCH(QString, state);
        Files f(script.startsWith("blocked"));
        f.b.clocks.setDragArmed(true);
        QDir().mkpath(f.path("sub"));
        f.write("a.clk", "autoarrange=True\r\n" + kTwoClocks);
        f.write("old.clk", "progver=1.0.3\r\n");
        f.write("two.clk", kTwoClocks);
        f.write("bad.clk", "<clock>\r\nid:1\r\n</clock>\r\n<clock>\r\ntype:40000\r\n</clock>\r\n");
        QStringList out;
        for (const QString& op : script.split(' '))
            if (const QString result = f.run(op); !result.isEmpty())
                out << result;
        out << f.rel(f.files.currentFile());
        for (int i = 0; i < std::min(f.b.clocks.clockCount(), 3); ++i) {
            const clsClock& c = f.b.clocks.clock(i);
            out << QString("%1%2").arg(c.currentTime()).arg(c.active() ? "r" : "");
            if (c.myX() != 4500 || c.myY() != 3000)
                out.last() += QString("@%1,%2").arg(c.myX()).arg(c.myY());
        }
        for (int g = 0; g < GroupTable::groupCount; ++g)
            if (f.b.clocks.groups().group(g).inUse)
                out << QString("g%1@%2").arg(g).arg(f.b.clocks.groups().group(g).left);
        out << (f.b.clocks.hasUnsavedChanges() ? "changed" : "saved") << (f.prompts.asked ? "question" : "");
        if (f.window.replaced)
            out << QString("new board%1").arg(f.b.clocks.dragArmed() ? ", armed" : "");
        if (f.chooser.asked)
            out << "dialog" + f.rel(f.chooser.lastFolder).remove("@/program/clocks") + ":" +
                       f.rel(f.chooser.lastFileName);
        // The messages' fixed wording, once for all rows.
        const QList<std::pair<QString, QString>> wording = {
            {"error: Could not open the clocks in \"(.*)\": ", "open \\1: "},
            {"error: Could not read all of \"(.*)\".\nLine", "read \\1: Line"},
            {".\nOnly the clocks before that line were loaded; saving now would replace the file with them.",
             ". (only some)"},
            {"error: Could not save the clocks to \"(.*)\": ", "save \\1: "},
            {"\nThe board is still open, and the file on disk was not changed.", " (kept)"},
            {"info: Clocks saved to @/", "saved "}};
        for (QString m : f.prompts.messages) {
            m = f.rel(m);
            for (const auto& [from, to] : wording)
                m.replace(QRegularExpression(from), to);
            out << "| " + m;
        }
        out << f.disk();
        QCOMPARE(out.join(' ').simplified(), state);
    }

    // The example boards load whole and find their alarms in the program's folder.
    void exampleBoards() {
        for (const auto& [name, clocks, alarm] : {std::tuple{"tea-timers.clk", 6, "chimes.wav"},
                                                  {"interval-ring.clk", 5, "digitalPulse.wav"},
                                                  {"kitchen.clk", 7, "kitchenTimer.wav"}}) {
            Files e;
            e.b.sound.available << TestBoard::folder() + "/sounds/alarms/" + alarm;
            QVERIFY(e.files.loadClocks(QStringLiteral(ZENTRIQ_EXAMPLES "/") + name));
            e.b.clocks.clock(0).setCurrentTime(1);
            e.b.clocks.clock(0).setActive(true);
            e.b.clocks.tickAll(1);
            QCOMPARE(e.b.clocks.clockCount(), clocks);
            QVERIFY(std::any_of(e.b.sound.plays.begin(), e.b.sound.plays.end(),
                                [&](const FakeSoundService::Play& p) { return p.path.endsWith(alarm); }));
            QCOMPARE(e.prompts.messages, QStringList());
        }
    }
};

QTEST_GUILESS_MAIN(TestClockFiles)
#include "tst_clockfiles.moc"
