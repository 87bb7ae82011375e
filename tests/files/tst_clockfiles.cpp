#include "FakeBoardWindow.h"
#include "FakeFileChooser.h"
#include "FakeFilePrompts.h"
#include "TestBoard.h"
#include "files/ClockFiles.h"

#include <QDir>
#include <QFile>
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
    QByteArray read(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A board of one clock with unsaved changes.
    void change() {
        b.add(30).setPurpose(QStringLiteral("new"));
        b.clocks.markChanged();
    }
};
} // namespace

// Opening, saving and the question before a board with unsaved changes is thrown away, on real files.
class TestClockFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // A load by a relative name replaces the board, names the full path and leaves no changes; a file that
    // asks for arrangement is laid out in rows.
    void load() {
        Files f;
        f.change();
        f.b.clocks.groups().setName(1, QStringLiteral("old"));
        const QString file = f.write("kitchen.clk", kTwoClocks);
        QDir::setCurrent(f.dir.path());
        QVERIFY(f.files.loadClocks(QStringLiteral("kitchen.clk")));
        QDir::setCurrent(QDir::rootPath());
        QCOMPARE(f.files.currentFile(), file);
        QCOMPARE(f.window.caption, QStringLiteral("Zentriq - ") + file);
        QCOMPARE(f.b.states(), QStringLiteral("stop 20, stop 0"));
        QCOMPARE(f.b.clocks.groups().name(1), QString());
        QCOMPARE(f.window.groupCaptions, QStringList({"reset", "4"}));
        QVERIFY(f.b.clocks.groups().group(4).inUse);
        QCOMPARE(f.b.clocks.groups().group(4).left, 2300.0f);
        QVERIFY(!f.b.clocks.hasUnsavedChanges() && !f.b.clocks.dragArmed() && f.window.replaced > 0);
        QCOMPARE(f.prompts.messages, QStringList());

        QVERIFY(f.files.loadClocks(f.write("a.clk", "autoarrange=True\r\n" + kTwoClocks)));
        QCOMPARE(QPointF(f.b.clocks.clock(0).myX(), f.b.clocks.clock(0).myY()), QPointF(900, 650));
        QCOMPARE(QPointF(f.b.clocks.clock(1).myX(), f.b.clocks.clock(1).myY()), QPointF(3000, 650));
    }

    // Each failure names the file and the reason; the clocks read before it stay.
    void loadFailures_data() {
        const QString open = "Could not open the clocks in \"%1\": ";
        textRows(
            {"what", "message"},
            {{"missing", "missing", open + "No such file or directory."},
             {"folder", "folder", open + "it is a folder, not a clock file."},
             {"named pipe", "fifo", open + "it is not a regular file."},
             {"device", "/dev/zero", open + "it is not a regular file."},
             {"too large", "large", open + "the file is larger than 256 MB, too large for a board."},
             {"overflow", "overflow",
              "Could not read all of \"%1\".\nLine 5: the value \"40000\" of \"type\" is not a whole number "
              "from -32768 to 32767.\nOnly the clocks before that line were loaded; saving now would "
              "replace the file with them."}});
    }
    void loadFailures() {
        QFETCH(QString, what);
        QFETCH(QString, message);
        Files f;
        f.change();
        const QString file = what.startsWith('/') ? what : f.path(what);
        if (what == "folder")
            QDir().mkpath(file);
        else if (what == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        else if (what == "large")
            QVERIFY(QFile::resize(f.write(what, ""), 300 << 20)); // sparse: costs no disk
        else if (what == "overflow")
            f.write(what, "<clock>\r\nid:1\r\n</clock>\r\n<clock>\r\ntype:40000\r\n</clock>\r\n");
        QVERIFY(!f.files.loadClocks(file));
        QCOMPARE(f.prompts.messages, QStringList(QStringLiteral("error: ") + message.arg(file)));
        QCOMPARE(f.b.clocks.clockCount(), what == "overflow" ? 1 : 0);
        QCOMPARE(f.window.caption, QStringLiteral("Zentriq - ") + file);
        QCOMPARE(f.files.currentFile(), file);
        QVERIFY(!f.b.clocks.hasUnsavedChanges());
    }

    // "&Open Clocks" starts in the clocks folder, which falls back to the user's data folder when the
    // program's cannot be made (below a plain file, even for root); cancelling it changes nothing.
    void openDialog() {
        Files f;
        f.change();
        f.window.caption = QStringLiteral("Zentriq");
        QVERIFY(!f.files.loadClocks(QString()));
        QCOMPARE(f.chooser.lastFolder, f.path("program/clocks"));
        QVERIFY(QFileInfo(f.path("program/clocks")).isDir());
        QCOMPARE(f.chooser.lastFilters, QStringList({"Clock Files (*.clk)", "All Files (*.*)"}));
        QCOMPARE(f.b.clocks.clockCount(), 1);
        QVERIFY(f.b.clocks.hasUnsavedChanges());
        QCOMPARE(f.window.caption, QStringLiteral("Zentriq"));
        f.chooser.answer = f.write("b.clk", kTwoClocks);
        QVERIFY(f.files.loadClocks(QString()));
        QCOMPARE(f.b.clocks.clockCount(), 2);

        Files fallback("file/program");
        fallback.write("file", "");
        QCOMPARE(fallback.files.clocksFolder(), fallback.path("user/clocks"));
        QVERIFY(QFileInfo(fallback.path("user/clocks")).isDir());
    }

    // Saving: where it goes, what it says, and that a failure keeps the board, the file name and the disk.
    void save_data() {
        // The current file before, the command, the save dialog's answer (empty: cancel), the file that holds
        // the board afterwards (empty: none), and the first message, %1 = the path tried.
        const QString saved = "info: Clocks saved to %1",
                      kept = "\nThe board is still open, and the file on disk was not changed.";
        textRows({"current", "command", "answer", "written", "message"},
                 {{"save to the current file", "old.clk", "save", "", "old.clk", saved},
                  {"save without a file asks", "", "save", "new.clk", "new.clk", saved},
                  {"save as another", "old.clk", "saveAs", "new.clk", "new.clk", saved},
                  {"extension added", "", "saveAs", "plain", "plain.clk", saved},
                  {"save as cancelled", "old.clk", "saveAs", "", "", ""},
                  {"save without a file, cancelled", "", "save", "", "", ""},
                  {"below a plain file", "", "save", "old.clk/x.clk", "",
                   "error: Could not save the clocks to \"%1\": Not a directory." + kept},
                  {"a folder", "", "saveAs", "sub", "",
                   "error: Could not save the clocks to \"%1\": Filename refers to a directory." + kept},
                  {"current file turned unwritable", "locked/old.clk", "save", "", "", "error: "}});
    }
    void save() {
        QFETCH(QString, current);
        QFETCH(QString, command);
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(QString, message);
        Files f;
        QDir().mkpath(f.path("sub"));
        QDir().mkpath(f.path("locked"));
        const QByteArray before = "progver=1.0.3\r\n";
        f.write("old.clk", before);
        f.write("locked/old.clk", before);
        if (!current.isEmpty())
            QVERIFY(f.files.loadClocks(f.path(current)));
        f.change();
        if (current.startsWith("locked")) {
            if (::geteuid() == 0)
                QSKIP("root writes into read-only folders; the plain-file rows cover failures for root");
            ::chmod(QFile::encodeName(f.path("locked")).constData(), 0500);
        }
        f.chooser.answer = answer.isEmpty() ? QString() : f.path(answer);
        const bool ok = command == "save" ? f.files.saveClocks() : f.files.saveClocksAs();
        ::chmod(QFile::encodeName(f.path("locked")).constData(), 0700);

        QCOMPARE(ok, !written.isEmpty());
        const QString expected = message.arg(f.chooser.answer.isEmpty() ? f.path(current) : f.chooser.answer);
        QCOMPARE(f.prompts.messages.value(0).left(expected.size()), expected);
        QCOMPARE(f.files.currentFile(),
                 written.isEmpty() ? (current.isEmpty() ? "" : f.path(current)) : f.path(written));
        QCOMPARE(f.b.clocks.hasUnsavedChanges(), written.isEmpty());
        QCOMPARE(f.b.clocks.clockCount(), 1);
        QCOMPARE(f.read(written).contains("comment:new"), !written.isEmpty());
        QCOMPARE(f.read("old.clk") == before, written != "old.clk");
        QCOMPARE(f.read("locked/old.clk"), before);
        if (f.chooser.asked > 0)
            QCOMPARE(f.chooser.lastFileName, current.isEmpty() ? QString() : f.path(current));
    }

    // The disk fills up half-way through a save: it fails with a message, the old file stays whole and no
    // temporary file is left behind.
    void diskFull() {
        Files f;
        QVERIFY(f.files.loadClocks(f.write("old.clk", "progver=1.0.3\r\n")));
        for (int i = 0; i < 200; ++i) // some 80 KB
            f.b.add(i);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{}, full{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        full = {4096, old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &full);
        const bool saved = f.files.saveClocks();
        ::setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!saved && f.prompts.messages.value(0).startsWith("error: Could not save the clocks to"));
        QCOMPARE(f.read("old.clk"), QByteArray("progver=1.0.3\r\n"));
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList({"old.clk"}));
    }

    // The question before a board is thrown away, and what each answer does.
    void guard_data() {
        // The board ("changed", "unchanged" with a clock, or "empty" and changed), the answer and the save
        // dialog's answer; then "go on" or "stay" and how often the question was asked.
        textRows({"board", "result"}, {{"unchanged", "unchanged cancel", "go on 0"},
                                       {"empty", "empty cancel", "go on 0"},
                                       {"cancel", "changed cancel", "stay 1"},
                                       {"discard", "changed discard", "go on 1"},
                                       {"save", "changed save b.clk", "go on 1"},
                                       {"save cancelled", "changed save", "stay 1"},
                                       {"save failed", "changed save no/b.clk", "stay 1"}});
    }
    void guard() {
        QFETCH(QString, board);
        QFETCH(QString, result);
        const QString answer = board.section(' ', 1, 1), saveTo = board.section(' ', 2);
        Files f;
        if (!board.startsWith("empty"))
            f.b.add(5);
        if (!board.startsWith("unchanged"))
            f.b.clocks.markChanged();
        using Choice = IFilePrompts::SaveChoice;
        f.prompts.answer = answer == "save"      ? Choice::Save
                           : answer == "discard" ? Choice::Discard
                                                 : Choice::Cancel;
        f.write("no", "a plain file");
        f.chooser.answer = saveTo.isEmpty() ? QString() : f.path(saveTo);
        const bool goOn = f.files.mayDiscardBoard();
        QCOMPARE(QStringLiteral("%1 %2").arg(goOn ? "go on" : "stay").arg(f.prompts.asked), result);
        QCOMPARE(QFileInfo::exists(f.path("b.clk")), saveTo == "b.clk");
        QCOMPARE(f.b.clocks.clockCount(), board.startsWith("empty") ? 0 : 1);
    }

    // A name that is not valid UTF-8 opens through its own bytes, and Save asks for a name rather than write
    // elsewhere; a relative name of plain UTF-8 bytes is saved back by name.
    void nativeName() {
        Files f;
        const QByteArray native = QFile::encodeName(f.dir.path()) + "/caf\xE9.clk";
        QVERIFY(QFile::encodeName(QFile::decodeName(native)) != native); // text cannot name it
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT, 0600);
        QCOMPARE(::write(fd, kTwoClocks.constData(), size_t(kTwoClocks.size())), ssize_t(kTwoClocks.size()));
        ::close(fd);
        QVERIFY(f.files.loadClocks(QFile::decodeName(native), native));
        QCOMPARE(f.b.clocks.clockCount(), 2);
        QVERIFY(!f.files.saveClocks());
        QCOMPARE(f.chooser.asked, 1);
        ::unlink(native.constData());
        f.write("plain.clk", kTwoClocks);
        QDir::setCurrent(f.dir.path());
        QVERIFY(f.files.loadClocks(QStringLiteral("plain.clk"), QByteArray("plain.clk")));
        QVERIFY(f.files.saveClocks());
        QDir::setCurrent(QDir::rootPath());
        QCOMPARE(f.chooser.asked, 1);
    }

    // The example boards load without a message, and their alarms are found in the program's folder.
    void exampleBoards() {
        for (const auto& [name, clocks, alarm] : {std::tuple{"tea-timers.clk", 6, "chimes.wav"},
                                                  {"interval-ring.clk", 5, "digitalPulse.wav"},
                                                  {"kitchen.clk", 7, "kitchenTimer.wav"}}) {
            Files f;
            const QString alarmPath = TestBoard::folder() + "/sounds/alarms/" + alarm;
            f.b.sound.available << alarmPath;
            QVERIFY(f.files.loadClocks(QStringLiteral(ZENTRIQ_EXAMPLES "/") + name));
            QCOMPARE(f.prompts.messages, QStringList());
            QCOMPARE(f.b.clocks.clockCount(), clocks);
            f.b.clocks.clock(0).setCurrentTime(1);
            f.b.clocks.clock(0).setActive(true);
            f.b.clocks.tickAll(1);
            QVERIFY(
                std::any_of(f.b.sound.plays.begin(), f.b.sound.plays.end(),
                            [&](const FakeSoundService::Play& p) { return !p.tick && p.path == alarmPath; }));
        }
    }
};

QTEST_GUILESS_MAIN(TestClockFiles)
#include "tst_clockfiles.moc"
