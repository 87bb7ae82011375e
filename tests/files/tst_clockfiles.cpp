#include "FakeBoardWindow.h"
#include "FakeFileChooser.h"
#include "FakeFilePrompts.h"
#include "TestBoard.h"
#include "files/ClockFileReader.h"
#include "files/ClockFileWriter.h"
#include "files/ClockFiles.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

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

    Files() : files(b.clocks, window, prompts, chooser, dir.filePath("program"), dir.filePath("user")) {}
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
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files)) {
            QFile file(path(name));
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
        if (op.startsWith("change")) { // change:N adds N letters to the clock's comment
            b.add(30).setPurpose("new" + QString(arg.toInt(), 'x'));
            b.clocks.markChanged();
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
            ::rename(QFile::encodeName(path("two.clk")).constData(), native.constData());
            return done(files.loadClocks(QFile::decodeName(native), native));
        } else if (op.startsWith("g:")) {
            prompts.answer =
                arg == "save" ? IFilePrompts::SaveChoice::Save : IFilePrompts::SaveChoice::Cancel;
            return done(files.mayDiscardBoard());
        } else if (op == "s" || op == "a") {
            return done(op == "s" ? files.saveClocks() : files.saveClocksAs());
        } else if (op == "full") { // the disk fills up half-way through a save
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit old{};
            ::getrlimit(RLIMIT_FSIZE, &old);
            const rlimit full{4096, old.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &full);
            const bool saved = files.saveClocks();
            ::setrlimit(RLIMIT_FSIZE, &old);
            return done(saved);
        }
        return {};
    }
};
} // namespace

// Clock files read into a board; then the file commands on real files.
class TestClockFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void read_data() {
        using Bytes = QByteArray;
        QTest::addColumn<QByteArray>("content"); // line feeds become CR LF unless a row has its own CRs
        QTest::addColumn<QString>("board");
        QTest::newRow("written form")
            << Bytes("progver=1.0.3\nformtop=900\nformleft=600\nformwidth=9000\nformheight=6000\n"
                     "showboxes=False\nautoarrange=True\nmute=True\ngroupname0=\ngroupname1=Team A\n"
                     "groupname2=\ngroupname3=\ngroupname4=\ngroupname5=\ngroupname6=\ngroupname7=\n"
                     "groupname8=\ngroupname9=\n<clock>\n   id:7\n   groupnum:1\n   linksto:8\n   type:1\n"
                     "   comment:Tea\n   soundactive:False\n   duration:300\n   currenttime:-12.5\n"
                     "   x:900\n   y:650\n   active:False\n   soundactive:False\n   alarmactive:False\n"
                     "   alarmfile:/a.wav\n   tickvol0:1\n   tickvol1:2\n   tickvol2:3\n   tickvol3:4\n"
                     "   tickvol4:0\n   alarmvol:60\n</clock>\n\n")
            << "as written";
        QTest::newRow(
            "only True is true; a fresh id; later key wins; active not read; nested, unended blocks")
            << Bytes("mute=yes\nshowboxes=-1\n<clock>\ncomment:x\nsoundactive:true\nsoundactive:False\n</"
                     "clock>\n"
                     "<clock>\nid:1\nactive:True\n<clock>\nid:2\n</clock>\n<clock>\nid:3\nduration:60")
            << "showboxes=False <clock> id:13 comment:x soundactive:False soundactive:False <clock> id:2 "
               "<clock> id:3 "
               "duration:60";
        QTest::newRow("no leading blanks, capitals, header after the blocks, separators, letters in values")
            << Bytes(
                   "<CLOCK>\nID:5\nComment:Tea\nDURATION:300\n</Clock>\nMUTE= TRUE \ngroupname3=Team A\n"
                   "formleft=300\nformtop=150\nformleft=450\ngroupname2=a=b <c>\n<clock>\nid:1\n"
                   "   comment: Caf\xC3\xA9: |\xE4\xB8\xAD\xF0\x9F\x98\x80  \nalarmfile:C:\\a.wav\n</clock>")
            << "formtop=150 formleft=450 mute=True groupname2=a=b <c> groupname3=Team A <clock> id:5 "
               "comment:Tea "
               "duration:300 <clock> id:1 comment: Caf\u00E9: |\u4E2D\U0001F600 alarmfile:C:\\a.wav "
               "captions=3,2";
        // Doubles keep 15 digits, positions (floats) 7, both in the exponent form files have always used.
        QTest::newRow("number forms; out-of-range values stored as read, halves to even")
            << Bytes("<clock>\nid:0.00001\nlinksto:1234567890123456\nduration:123456789012345\n"
                     "currenttime:0.0001\nx:12345178\ny:-0.1\ntype:7\ngroupnum:12\ntickvol0:150\ntickvol5:9\n"
                     "alarmvol:99.5\n</clock>\n<clock>\nid:2\ngroupnum:2.5\ntype:-0.5\n</clock>")
            << "<clock> id:1E-05 groupnum:12 linksto:1.23456789012346E+15 type:7 duration:123456789012345 "
               "currenttime:0.0001 x:1.234518E+07 y:-0.1 tickvol0:150 <clock> id:2 groupnum:2";
        QTest::newRow("byte-order mark, lone CR, lone LF, CR LF, UTF-8 and Latin-1")
            << Bytes("\xEF\xBB\xBFmute=true\n<clock>\rid:4\r</clock>\r<clock>\r\nid:1\r\n"
                     "comment:Caf\xC3\xA9\r\n</clock>\r\n<clock>\nid:2\ncomment:Caf\xE9")
            << "mute=True <clock> id:4 <clock> id:1 comment:Caf\u00E9 <clock> id:2 comment:Caf\u00E9";
        QTest::newRow("reset, no place")
            << Bytes("formleft=300\n<clock>\nid:1\nduration:60\ncurrenttime:5\n</clock>")
            << "<clock> id:1 duration:60 currenttime:60";
        QTest::newRow("versions compared part by part")
            << Bytes("progver=1.0.3\nprogver=1.0.4\nprogver=1.1.0\nprogver=2\nprogver=0.9.9\nprogver=1.0.10\n"
                     "progver=1.0.3.9\nprogver=1\nprogver=\nprogver=1.x.3")
            << "| newer 1.0.4 | newer 1.1.0 | newer 2 | newer 1.0.10 | index out of range: version \"1\" has "
               "no part 2 | index out of range: version \"\" has no part 1 | type mismatch: part 2 of "
               "version \"1.x.3\" is \"x\", not a number";
        QTest::newRow("16-bit overflow ends the load")
            << Bytes("<clock>\nid:1\n</clock>\n<clock>\nid:2\ntickvol3:-40000\n</clock>\n<clock>\nid:3")
            << "<clock> id:1 | fail@6: the value \"-40000\" of \"tickvol3\" is not a whole number from "
               "-32768 to 32767";
        QTest::newRow("group names in order, one without a digit")
            << Bytes("groupname1=A\ngroupname1=B\ngroupname9=C\ngroupnameX=D\ngroupname2=E")
            << "groupname1=B groupname9=C captions=1,1,9 | fail@4: \"groupnamex\" does not name a group from "
               "0 to 9";
        QByteArray garbage(4096, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(garbage.data()), garbage.size() / 4);
        QTest::newRow("garbage inside a block, a 10 MB line")
            << "<clock>\nid:1\n" + garbage + "\n</clock>\n<clock>\nid:2\ncomment:" + Bytes(10 << 20, 'x')
            << "<clock> id:1 <clock> id:2 <10485772>";
    }
    void read() {
        QFETCH(QByteArray, content);
        QFETCH(QString, board);
        if (!content.contains('\r'))
            content.replace("\n", "\r\n");
        Files f, fresh;
        const bool reset = QTest::currentDataTag() == QLatin1String("reset, no place");
        f.b.options.setChecked(Option::ResetOnLoad, reset);
        f.b.options.setChecked(Option::AllowRepos, !reset);
        ReadFailure failure;
        const bool ok = ClockFileReader(f.b.clocks, f.window, f.prompts).read(content, &failure);
        const QByteArray again = ClockFileWriter::write(f.b.clocks, f.window.place);
        // Sums up the lines written that differ from a board of one new clock, long ones as their length.
        fresh.b.clocks.appendClock();
        const QList<QByteArray> base = ClockFileWriter::write(fresh.b.clocks, fresh.window.place).split('\n');
        QStringList out;
        for (const QByteArray& line : again.split('\n'))
            if (line.startsWith("<clock>") || line.startsWith("   id:") || !base.contains(line))
                out << (line.size() > 60 ? QString("<%1>").arg(line.size())
                                         : QString::fromUtf8(line.trimmed()));
        if (f.window.groupCaptions.size() > 1)
            out << "captions=" + f.window.groupCaptions.join(',');
        for (const QString& message : f.prompts.messages)
            out << "| " + (message.contains("newer version")
                               ? "newer " + message.section("version ", 2, 2).section(' ', 0, 0)
                               : QString(message).remove("info: Error while comparing versions: "));
        if (!ok)
            out << QStringLiteral("| fail@%1: %2").arg(failure.line).arg(failure.reason);
        if (board == "as written")
            QCOMPARE(again, content);
        else
            QCOMPARE(out.join(' ').simplified(), board);
    }

    // Commands ("+"/"-" for success), then the file, board, question, dialog, messages and disk.
    void commands_data() {
        textRows({"script", "state"},
                 {{"refused: missing, a folder, a named pipe, a device, too large",
                   "change o:gone o:sub o:fifo o:/dev/zero o:large",
                   "- - - - - @/large saved new board | open @/gone: No such file or directory. | open "
                   "@/sub: it is a folder, not a clock file. | open @/fifo: it is not a regular file. | open "
                   "/dev/zero: it is not a regular file. | open @/large: the file is larger than 256 MB, too "
                   "large for a board."},
                  {"overflow keeps what was read", "o:bad.clk",
                   "- @/bad.clk 0 saved new board | read @/bad.clk. Line 5: the value \"40000\" of \"type\" "
                   "is not a whole number from -32768 to 32767."},
                  {"open dialog, laid out in rows when the file asks", "change c:a.clk o:-",
                   "+ @/a.clk 20@900,650 0@3000,650 g4@200 saved new board dialog:"},
                  {"save to the current file, then as another", "o:old.clk change s c:new.clk a",
                   "+ + + @/new.clk 30 saved new board dialog:@/old.clk | saved old.clk | saved new.clk disk "
                   "new.clk,old.clk"},
                  {"save without a file asks; below a plain file fails; extension added",
                   "change c:old.clk/x.clk s c:plain s",
                   "- + @/plain.clk 30 saved dialog: | save @/old.clk/x.clk: Not a directory. | saved "
                   "plain.clk disk plain.clk"},
                  {"open and save as cancelled", "o:old.clk change o:- a",
                   "+ - - @/old.clk 30 changed new board dialog:@/old.clk"},
                  {"disk full", "o:old.clk change:80000 full",
                   "+ - @/old.clk 30 changed new board | save @/old.clk: Unknown error."},
                  {"a relative name is saved back by name", "r:two.clk change s",
                   "+ + @/two.clk 20@3000,2000 0 30 g4@2300 saved new board | saved two.clk disk two.clk"},
                  {"a name only its bytes reach: Save asks", "native s",
                   "+ - @/caf\uFFFD.clk 20@3000,2000 0 g4@2300 saved new board dialog:@/caf\uFFFD.clk"},
                  {"save cancelled stays, save goes on", "change g:save c:b.clk g:save",
                   "- + @/b.clk 30 saved question question dialog: | saved b.clk disk b.clk"}});
    }
    void commands() {
        QFETCH(QString, script);
        QFETCH(QString, state);
        Files f;
        f.b.clocks.setDragArmed(true);
        QDir().mkpath(f.path("sub"));
        f.write("a.clk", "autoarrange=True\r\n" + kTwoClocks);
        f.write("old.clk", "progver=1.0.3\r\n");
        f.write("two.clk", kTwoClocks);
        ::mkfifo(QFile::encodeName(f.path("fifo")).constData(), 0600);
        QFile::resize(f.write("large", ""), 300 << 20); // sparse: costs no disk
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
        out << (f.b.clocks.hasUnsavedChanges() ? "changed" : "saved")
            << QStringList(f.prompts.asked, "question");
        if (f.window.replaced)
            out << QString("new board%1").arg(f.b.clocks.dragArmed() ? ", armed" : "");
        if (f.chooser.asked)
            out << "dialog" + f.rel(f.chooser.lastFolder).remove("@/program/clocks") + ":" +
                       f.rel(f.chooser.lastFileName);
        // Messages without their fixed wording.
        const QRegularExpression wording(
            "^\\w+: (Could not |Clocks )|the clocks (in |to )\"|all of \"|to @/|\"(?=[:.])|"
            "\\n(The|Only) .*",
            QRegularExpression::DotMatchesEverythingOption);
        for (const QString& m : f.prompts.messages)
            out << "| " + f.rel(m).remove(wording);
        out << f.disk();
        QCOMPARE(out.join(' ').simplified(), state);
    }
};

QTEST_GUILESS_MAIN(TestClockFiles)
#include "tst_clockfiles.moc"
