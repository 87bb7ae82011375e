#include "FakeBoardWindow.h"
#include "FakeFilePrompts.h"
#include "TestBoard.h"
#include "files/ClockFileFormat.h"
#include "files/ClockFileReader.h"
#include "files/ClockFileWriter.h"

#include <QRandomGenerator>
#include <limits>

namespace {
QByteArray crlf(const char* text) {
    return QByteArray(text).replace("\n", "\r\n");
}

// What a board keeps in a file, as the written lines that differ from a board of one new clock; "<clock>"
// starts each clock, long lines are cut to their length.
QString written(const TestBoard& b, const WindowTwips& place) {
    TestBoard fresh;
    fresh.clocks.appendClock();
    const QList<QByteArray> base = ClockFileWriter::write(fresh.clocks, FakeBoardWindow().place).split('\n');
    QStringList out;
    for (const QByteArray& line : ClockFileWriter::write(b.clocks, place).split('\n'))
        if (line.startsWith("<clock>") || line.startsWith("   id:") || !base.contains(line))
            out << (line.size() > 60 ? QString("<%1>").arg(line.size()) : QString::fromUtf8(line.trimmed()));
    for (int i = 0; i < b.clocks.clockCount(); ++i)
        if (b.clocks.clock(i).buttonCorner(0).x != b.clocks.clock(i).myX() + 550)
            out << "corners stale";
    return out.join(' ');
}

// Letters a name may hold: separators of the format, non-ASCII letters, a character outside the BMP.
QString randomText(QRandomGenerator& r, int maxLength) {
    static const QString letters = QStringLiteral("aZ09 :|=<>/\\\"'.,-_\u00E9\u00DF\u4E2D\U0001F600");
    QString text;
    for (int i = int(r.bounded(maxLength + 1)); i > 0; --i) {
        const int at = int(r.bounded(letters.size()));
        text += letters.mid(at - int(letters[at].isLowSurrogate()), letters[at].isSurrogate() ? 2 : 1);
    }
    while (text.endsWith(' ')) // a line's trailing blanks are not part of it
        text.chop(1);
    return text;
}

// A board with every field a file keeps at random: small or any 16-bit numbers, short decimal fractions.
void fill(TestBoard& b, QRandomGenerator& r) {
    const auto real = [&r] {
        return (double(r.bounded(2000000)) - 1000000) / double(1 << r.bounded(4)) / (r.bounded(2) ? 1 : 1000);
    };
    const auto position = [&r] {
        return float(double(r.bounded(200000)) - 100000) / float(1 << r.bounded(3));
    };
    const auto int16 = [&r] { return qint16(int(r.bounded(65536)) - 32768); };
    for (const Option o : {Option::Mute, Option::ViewBounds, Option::ViewArrange})
        b.options.setChecked(o, r.bounded(2));
    for (int g = 0; g < GroupTable::groupCount; ++g)
        b.clocks.groups().setName(g, r.bounded(3) ? QString() : randomText(r, 12));
    for (int i = int(r.bounded(9)); i > 0; --i) {
        clsClock& c = *b.clocks.appendClock();
        c.setStoredId(r.bounded(4) ? double(r.bounded(1, 100000)) : real());
        c.setGroupNum(r.bounded(2) ? qint16(int(r.bounded(11)) - 1) : int16());
        c.setLinkID(r.bounded(2) ? 0 : real());
        c.setCountType(r.bounded(3) ? qint16(r.bounded(2)) : int16());
        c.setPurpose(randomText(r, 30) +
                     (r.bounded(4) ? "" : "\nline")); // a line break is written as a blank
        c.setSoundActive(r.bounded(2));
        c.setAlarmActive(r.bounded(2));
        c.setDuration(real());
        c.setCurrentTime(real());
        c.setPosition(position(), position());
        c.setAlarmFile(r.bounded(5) ? "/s/" + randomText(r, 20) + ".wav" : QString());
        for (int band = 0; band < clsClock::bandCount; ++band)
            c.setStoredTickVol(band, r.bounded(2) ? qint16(r.bounded(101)) : int16());
        c.setAlarmVolume(int16());
        c.setActive(r.bounded(2));
    }
}
} // namespace

// Clock files as written and as found: what the reader makes of them, number forms, version checks, and
// random boards written and read back.
class TestClockFileReader : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void read_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("options"); // "reset", "norepos"
        QTest::addColumn<QString>("board");
        const QString none;
        // A file as written is written back byte for byte.
        QTest::newRow("written form")
            << crlf(
                   "progver=1.0.3\nformtop=900\nformleft=600\nformwidth=9000\nformheight=6000\nshowboxes="
                   "False\n"
                   "autoarrange=True\nmute=True\ngroupname0=\ngroupname1=Team A\ngroupname2=\ngroupname3=\n"
                   "groupname4=\ngroupname5=\ngroupname6=\ngroupname7=\ngroupname8=\ngroupname9=\n<clock>\n"
                   "   id:7\n   groupnum:1\n   linksto:8\n   type:1\n   comment:Tea\n   soundactive:False\n"
                   "   duration:300\n   currenttime:-12.5\n   x:900\n   y:650\n   active:False\n"
                   "   soundactive:False\n   alarmactive:False\n   alarmfile:/a.wav\n   tickvol0:1\n"
                   "   tickvol1:2\n   tickvol2:3\n   tickvol3:4\n   tickvol4:0\n   alarmvol:60\n</clock>\n\n")
            << none << "as written";
        QTest::newRow("no leading blanks, capitals, header after the blocks")
            << crlf("<CLOCK>\nID:5\nComment:Tea\nDURATION:300\n</Clock>\nMUTE= TRUE \ngroupname3=Team A")
            << none << "mute=True groupname3=Team A <clock> id:5 comment:Tea duration:300";
        QTest::newRow("only true is true")
            << crlf("mute=yes\nshowboxes=-1\n<clock>\nid:1\nsoundactive:true\nsoundactive:False\n</clock>")
            << none << "showboxes=False <clock> id:1 soundactive:False soundactive:False";
        QTest::newRow("no id: a fresh one; later key wins; active is not read")
            << crlf("<clock>\ncomment:x\n</clock>\n<clock>\nid:1\nid:2\nactive:True\n</clock>") << none
            << "<clock> id:13 comment:x <clock> id:2";
        QTest::newRow("no end of block")
            << crlf("<clock>\nid:1\nduration:60") << none << "<clock> id:1 duration:60";
        QTest::newRow("colons, blanks and letters in values")
            << crlf("<clock>\nid:1\n   comment: Meeting: MiXeD  \nalarmfile:C:\\a.wav\n</clock>") << none
            << "<clock> id:1 comment: Meeting: MiXeD alarmfile:C:\\a.wav";
        QTest::newRow("out-of-range values stored as read, halves to even")
            << crlf("<clock>\nid:1\ntype:7\ngroupnum:12\ntickvol0:150\ntickvol5:9\nalarmvol:99.5\n</clock>\n"
                    "<clock>\nid:2\ngroupnum:2.5\ntype:-0.5\n</clock>")
            << none << "<clock> id:1 groupnum:12 type:7 tickvol0:150 <clock> id:2 groupnum:2";
        QTest::newRow("a block inside a block is skipped")
            << crlf("<clock>\nid:1\n<clock>\nid:2\n</clock>") << none << "<clock> id:2";
        QTest::newRow("lone CR, lone LF, byte-order mark")
            << QByteArray("\xEF\xBB\xBFmute=true\n<clock>\rid:4\r</clock>\r") << none
            << "mute=True <clock> id:4";
        QTest::newRow("UTF-8 and Latin-1")
            << QByteArray(
                   "<clock>\r\nid:1\r\ncomment:Caf\xC3\xA9\r\n</clock>\r\n<clock>\r\nid:2\r\ncomment:Caf\xE9")
            << none << "<clock> id:1 comment:Caf\u00E9 <clock> id:2 comment:Caf\u00E9";
        QTest::newRow("equals first, no equals")
            << crlf("=mute\nmute\nformleft 5\n<clock>\nid\nid=3\n</clock>") << none << "<clock> id:13";
        QTest::newRow("reset on load")
            << crlf("<clock>\nid:1\nduration:60\ncurrenttime:5\n</clock>") << "reset"
            << "<clock> id:1 duration:60 currenttime:60";
        QTest::newRow("window place applied once")
            << crlf("formleft=300\nformtop=150\nformleft=450") << none << "formtop=150 formleft=450";
        QTest::newRow("window place not allowed") << crlf("formleft=300\nformtop=150") << "norepos"
                                                  << "";
        QTest::newRow("versions compared part by part")
            << crlf("progver=1.0.3\nprogver=1.0.4\nprogver=1.1.0\nprogver=2\nprogver=0.9.9\nprogver=1.0.10\n"
                    "progver=1.0.3.9\nprogver=1\nprogver=0.9\nprogver=\nprogver=1.x.3")
            << none
            << "| newer 1.0.4 | newer 1.1.0 | newer 2 | newer 1.0.10 | index out of range: version \"1\" "
               "has no part 2 | index out of range: version \"0.9\" has no part 3 | index out of range: "
               "version \"\" has no part 1 | type mismatch: part 2 of version \"1.x.3\" is \"x\", not a "
               "number";
        QTest::newRow("16-bit overflow ends the load")
            << crlf("<clock>\nid:1\n</clock>\n<clock>\nid:2\ngroupnum:70000\n</clock>\n<clock>\nid:3\n</"
                    "clock>")
            << none
            << "<clock> id:1 | fail@6: the value \"70000\" of \"groupnum\" is not a whole number from -32768 "
               "to 32767";
        QTest::newRow("tick volume overflow")
            << crlf("<clock>\nid:1\ntickvol3:-40000\n</clock>") << none
            << "| fail@3: the value \"-40000\" of \"tickvol3\" is not a whole number from -32768 to 32767";
        QTest::newRow("group names in order, one without a digit")
            << crlf("groupname1=A\ngroupname1=B\ngroupname9=C\ngroupnameX=D\ngroupname2=E") << none
            << "groupname1=B groupname9=C captions=1,1,9 | fail@4: \"groupnamex\" does not name a group from "
               "0 to 9";
        QTest::newRow("10 MB line") << crlf("<clock>\nid:1\ncomment:") + QByteArray(10 << 20, 'x') +
                                           "\r\n</clock>"
                                    << none << "<clock> id:1 <10485772>";
        QByteArray garbage(4096, '\0');
        QRandomGenerator random(7);
        for (char& byte : garbage)
            byte = char(random.bounded(256));
        QTest::newRow("binary garbage") << garbage << none << "";
        QTest::newRow("garbage inside a block")
            << crlf("<clock>\nid:1\n") + garbage + crlf("\n</clock>\n<clock>\nid:2\n</clock>") << none
            << "<clock> id:1 <clock> id:2";
    }
    void read() {
        QFETCH(QByteArray, content);
        QFETCH(QString, options);
        QFETCH(QString, board);
        TestBoard b;
        b.options.setChecked(Option::ResetOnLoad, options == QLatin1String("reset"));
        b.options.setChecked(Option::AllowRepos, options != QLatin1String("norepos"));
        FakeBoardWindow window;
        FakeFilePrompts prompts;
        ReadFailure failure;
        const bool ok = ClockFileReader(b.clocks, window, prompts).read(content, &failure);
        QStringList out{written(b, window.place)};
        if (window.groupCaptions.size() > 1)
            out << "captions=" + window.groupCaptions.join(',');
        for (const QString& message : prompts.messages)
            out << "| " + (message.contains("newer version")
                               ? "newer " + message.section("version ", 2, 2).section(' ', 0, 0)
                               : QString(message).remove("info: Error while comparing versions: "));
        if (!ok)
            out << QStringLiteral("| fail@%1: %2").arg(failure.line).arg(failure.reason);
        if (board == "as written")
            QCOMPARE(ClockFileWriter::write(b.clocks, window.placement()), content);
        else
            QCOMPARE(out.join(' ').simplified(), board);
    }

    // Doubles keep 15 digits, positions (floats) 7, both in the exponent form files have always used.
    void numbers() {
        using namespace ClockFileFormat;
        const QList<QByteArray> forms = {real(-0.25),
                                         real(-0.0),
                                         real(123456789012345.0),
                                         real(1234567890123456.0),
                                         real(1.0 / 3),
                                         real(1e20),
                                         real(0.00001),
                                         real(0.0001),
                                         shortReal(-7.5f),
                                         shortReal(0.1f),
                                         shortReal(12345678.0f),
                                         shortReal(std::numeric_limits<float>::max())};
        QCOMPARE(forms.join(' '),
                 "-0.25 0 123456789012345 1.23456789012346E+15 0.333333333333333 1E+20 1E-05 0.0001 "
                 "-7.5 0.1 1.234568E+07 3.402823E+38");
    }

    // Random boards written and read back give the same file again, with every clock stopped.
    void roundTrip() {
        QRandomGenerator r(20240611);
        FakeFilePrompts prompts;
        for (int round = 0; round < 2000; ++round) {
            TestBoard original;
            fill(original, r);
            const auto any = [&r] { return float(double(r.bounded(200000)) - 100000) / 4; };
            const WindowTwips place{any(), any(), any(), any()};
            const QByteArray file = ClockFileWriter::write(original.clocks, place);
            TestBoard copy;
            copy.options.setChecked(Option::Mute, !original.options.isChecked(Option::Mute));
            FakeBoardWindow window;
            ReadFailure failure;
            QVERIFY2(ClockFileReader(copy.clocks, window, prompts).read(file, &failure),
                     qPrintable(failure.reason));
            QCOMPARE(ClockFileWriter::write(copy.clocks, window.placement()),
                     QByteArray(file).replace("   active:True\r\n", "   active:False\r\n"));
        }
        QVERIFY(prompts.messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestClockFileReader)
#include "tst_clockfilereader.moc"
