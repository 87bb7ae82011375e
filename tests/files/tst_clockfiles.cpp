#include "FakeBoardWindow.h"
#include "FakeFileChooser.h"
#include "FakeFilePrompts.h"
#include "TestBoard.h"
#include "files/ClockFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
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

    explicit Files(const QString& program = "program")
        : files(b.clocks, window, prompts, chooser, dir.filePath(program), dir.filePath("user")) {}
    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const QByteArray& content) const {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return path(name);
    }
    // Every regular file below the folder with its content; "*" marks one that holds the changed board.
    QMap<QString, QByteArray> disk() const {
        QMap<QString, QByteArray> out;
        for (QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            QFile file(it.next());
            const QByteArray content =
                file.size() < 1 << 20 && file.open(QIODevice::ReadOnly) ? file.readAll() : "";
            out[QDir(dir.path()).relativeFilePath(file.fileName())] =
                content.contains("comment:new") ? "*" : content;
        }
        return out;
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
            {{"load", "change o:two.clk", "+ @/two.clk stop 20, stop 0 saved"},
             {"missing", "change o:gone", "- @/gone saved | open @/gone: No such file or directory."},
             {"folder", "o:sub", "- @/sub saved | open @/sub: it is a folder, not a clock file."},
             {"named pipe", "fifo o:fifo", "- @/fifo saved | open @/fifo: it is not a regular file."},
             {"device", "o:/dev/zero", "- /dev/zero saved | open /dev/zero: it is not a regular file."},
             {"too large", "large o:large",
              "- @/large saved | open @/large: the file is larger than 256 MB, too large for a board."},
             {"overflow keeps what was read", "o:bad.clk",
              "- @/bad.clk stop 0 saved | read @/bad.clk: Line 5: the value \"40000\" of \"type\" is not a "
              "whole number from -32768 to 32767. (only some)"},
             {"open dialog", "change c:two.clk o:-", "+ @/two.clk stop 20, stop 0 saved dialog:"},
             {"open dialog cancelled", "change o:-", "- stop 30 changed dialog:"},
             {"save to the current file", "o:old.clk change s",
              "+ + @/old.clk stop 30 saved | saved old.clk disk old.clk"},
             {"save without a file asks", "change c:new.clk s",
              "+ @/new.clk stop 30 saved dialog: | saved new.clk disk new.clk"},
             {"save as another", "o:old.clk change c:new.clk a",
              "+ + @/new.clk stop 30 saved dialog:@/old.clk | saved new.clk disk new.clk"},
             {"extension added", "change c:plain a",
              "+ @/plain.clk stop 30 saved dialog: | saved plain.clk disk plain.clk"},
             {"save as cancelled", "o:old.clk change a", "+ - @/old.clk stop 30 changed dialog:@/old.clk"},
             {"below a plain file", "change c:old.clk/x.clk s",
              "- stop 30 changed dialog: | save @/old.clk/x.clk: Not a directory. (kept)"},
             {"a folder", "change c:sub a",
              "- stop 30 changed dialog: | save @/sub: Filename refers to a directory. (kept)"},
             {"disk full", "o:old.clk full",
              "+ - @/old.clk 200 clocks saved | save @/old.clk: Unknown error. (kept)"},
             {"a relative name is saved back by name", "r:two.clk change s",
              "+ + @/two.clk stop 20, stop 0, stop 30 saved | saved two.clk disk two.clk"},
             {"a name only its bytes reach: Save asks", "native s",
              "+ - @/caf\uFFFD.clk stop 20, stop 0 saved dialog:@/caf\uFFFD.clk"},
             {"unchanged board goes on", "o:two.clk g:cancel", "+ + @/two.clk stop 20, stop 0 saved"},
             {"empty board goes on", "mark g:cancel", "+ changed"},
             {"cancel stays", "change g:cancel", "- stop 30 changed question"},
             {"discard goes on", "change g:discard", "+ stop 30 changed question"},
             {"save goes on", "change c:b.clk g:save",
              "+ @/b.clk stop 30 saved question dialog: | saved b.clk disk b.clk"},
             {"save cancelled stays", "change g:save", "- stop 30 changed question dialog:"},
             {"save failed stays", "change c:old.clk/b.clk g:save",
              "- stop 30 changed question dialog: | save @/old.clk/b.clk: Not a directory. (kept)"}});
    }
    void commands() {
        QFETCH(QString, script);
        QFETCH(QString, state);
        Files f;
        QDir().mkpath(f.path("sub"));
        f.write("old.clk", "progver=1.0.3\r\n");
        f.write("two.clk", kTwoClocks);
        f.write("bad.clk", "<clock>\r\nid:1\r\n</clock>\r\n<clock>\r\ntype:40000\r\n</clock>\r\n");
        const auto before = f.disk();
        QStringList out;
        for (const QString& op : script.split(' '))
            if (const QString result = f.run(op); !result.isEmpty())
                out << result;
        out << f.rel(f.files.currentFile())
            << (f.b.clocks.clockCount() > 50 ? QString("%1 clocks").arg(f.b.clocks.clockCount())
                                             : f.b.states())
            << (f.b.clocks.hasUnsavedChanges() ? "changed" : "saved") << (f.prompts.asked ? "question" : "");
        if (f.chooser.asked)
            out << (f.chooser.lastFolder == f.path("program/clocks") ? "dialog:" : "elsewhere:") +
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
        const auto after = f.disk();
        QStringList changed;
        for (auto it = after.begin(); it != after.end(); ++it)
            if (before.value(it.key()) != it.value())
                changed << it.key() + (it.value() == "*" ? "" : "?");
        if (!changed.isEmpty())
            out << "disk " + changed.join(',');
        QCOMPARE(out.join(' ').simplified(), state);
    }

    // A load replaces the groups and lays out in rows when the file asks; the dialogs fall back to the
    // user's folder when the program's cannot be made; the example boards load whole and find their alarms.
    void loadDetails() {
        Files f("two.clk/program");
        f.b.clocks.groups().setName(1, QStringLiteral("old"));
        QVERIFY(f.files.loadClocks(f.write("two.clk", kTwoClocks)));
        const auto& group = f.b.clocks.groups().group(4);
        QCOMPARE(QStringList({f.window.groupCaptions.join(','), f.b.clocks.groups().name(1),
                              QString::number(group.inUse), QString::number(group.left),
                              QString::number(f.window.replaced), QString::number(f.b.clocks.dragArmed()),
                              f.window.caption}),
                 QStringList({"reset,4", "", "1", "2300", "1", "0", "Zentriq - " + f.path("two.clk")}));
        QCOMPARE(f.files.clocksFolder(), f.path("user/clocks"));
        QVERIFY(QFileInfo(f.path("user/clocks")).isDir());
        QVERIFY(f.files.loadClocks(f.write("a.clk", "autoarrange=True\r\n" + kTwoClocks)));
        QCOMPARE(QPointF(f.b.clocks.clock(1).myX(), f.b.clocks.clock(1).myY()), QPointF(3000, 650));

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
