#include "FakeBoardWindow.h"
#include "FakeFilePrompts.h"
#include "TestBoard.h"
#include "files/ClockFileReader.h"
#include "files/ClockFileWriter.h"

#include <QRandomGenerator>
#include <tuple>

namespace {
QByteArray crlf(const char* text) {
    return QByteArray(text).replace("\n", "\r\n");
}

// A clock as the fields that differ from a new clock's, "[id=5 comment=Tea dur=300]".
QString describe(const clsClock& c) {
    QStringList vols;
    for (int band = 0; band < clsClock::bandCount; ++band)
        vols << QString::number(c.tickVol(band));
    const QString comment =
        c.purpose().size() > 40 ? QStringLiteral("<%1>").arg(c.purpose().size()) : c.purpose();
    const std::pair<bool, QString> fields[] = {
        {c.groupNum() != -1, QStringLiteral("group=%1").arg(c.groupNum())},
        {c.linkID() != 0, QStringLiteral("link=%1").arg(c.linkID())},
        {c.countType() != 0, QStringLiteral("type=%1").arg(c.countType())},
        {!c.purpose().isEmpty(), QStringLiteral("comment=") + comment},
        {!c.soundActive(), QStringLiteral("sound=off")},
        {!c.alarmActive(), QStringLiteral("alarm=off")},
        {c.duration() != 0, QStringLiteral("dur=%1").arg(c.duration())},
        {c.currentTime() != 0, QStringLiteral("cur=%1").arg(c.currentTime())},
        {c.myX() != 4500 || c.myY() != 3000, QStringLiteral("at=%1,%2").arg(c.myX()).arg(c.myY())},
        {c.buttonCorner(0).x != c.myX() + 550, QStringLiteral("corners stale")},
        {c.alarmFile() != TestBoard::alarmPath(), QStringLiteral("alarmfile=") + c.alarmFile()},
        {vols.join(',') != QLatin1String("5,15,50,75,100"), QStringLiteral("tick=") + vols.join(',')},
        {c.alarmVolume() != 100, QStringLiteral("alarmvol=%1").arg(c.alarmVolume())},
        {c.active(), QStringLiteral("running")},
        {c.selected(), QStringLiteral("selected")}};
    QStringList f{QStringLiteral("id=%1").arg(c.ID())};
    for (const auto& [differs, text] : fields)
        if (differs)
            f << text;
    return '[' + f.join(' ') + ']';
}
} // namespace

// The board-level and block-level reading of clock files, for files as written and for hostile ones.
class TestClockFileReader : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void read_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("options"); // "reset", "norepos"
        QTest::addColumn<QString>("board");
        const QString none;
        // As written, so it is also written back byte for byte.
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
            << none
            << "[id=7 group=1 link=8 type=1 comment=Tea sound=off alarm=off dur=300 "
               "cur=-12.5 at=900,650 alarmfile=/a.wav tick=1,2,3,4,0 alarmvol=60] "
               "noboxes arrange mute g1=Team A place=600,900,9000,6000";
        QTest::newRow("no leading blanks, capitals")
            << crlf("<CLOCK>\nID:5\nComment:Tea\nDURATION:300\n</Clock>") << none
            << "[id=5 comment=Tea dur=300]";
        QTest::newRow("header after the blocks")
            << crlf("<clock>\nid:1\n</clock>\nMUTE=TRUE\ngroupname3=Team A") << none
            << "[id=1] mute g3=Team A";
        QTest::newRow("no id, no type: fresh id, counts down")
            << crlf("<clock>\ncomment:x\n</clock>") << none << "[id=13 comment=x]";
        QTest::newRow("soundactive lines disagree")
            << crlf("<clock>\nid:1\nsoundactive:true\nsoundactive:False\n</clock>") << none
            << "[id=1 sound=off]";
        QTest::newRow("later key wins") << crlf("<clock>\nid:1\nid:2\n</clock>") << none << "[id=2]";
        QTest::newRow("no end of block") << crlf("<clock>\nid:1\nduration:60") << none << "[id=1 dur=60]";
        QTest::newRow("active is not read")
            << crlf("<clock>\nid:1\nactive:True\n</clock>") << none << "[id=1]";
        QTest::newRow("colons in values")
            << crlf("<clock>\nid:1\ncomment:Meeting: room 2\nalarmfile:C:\\a.wav\n</clock>") << none
            << "[id=1 comment=Meeting: room 2 alarmfile=C:\\a.wav]";
        QTest::newRow("leading blank kept, trailing lost")
            << crlf("<clock>\nid:1\n   comment: Tea  \n</clock>") << none << "[id=1 comment= Tea]";
        QTest::newRow("values keep their letters")
            << crlf("groupname0=Team A\n<clock>\nid:1\ncomment:MiXeD\n</clock>") << none
            << "[id=1 comment=MiXeD] g0=Team A";
        QTest::newRow("out-of-range values stored as read")
            << crlf("<clock>\nid:1\ntype:7\ngroupnum:12\ntickvol0:150\ntickvol5:9\n</clock>") << none
            << "[id=1 group=12 type=7 tick=150,15,50,75,100]";
        QTest::newRow("halves to even")
            << crlf("<clock>\nid:1\ngroupnum:2.5\ntype:-0.5\nalarmvol:99.5\n</clock>") << none
            << "[id=1 group=2]";
        QTest::newRow("a block inside a block is skipped")
            << crlf("<clock>\nid:1\n<clock>\nid:2\n</clock>") << none << "[id=2]";
        QTest::newRow("lone CR") << QByteArray("<clock>\rid:4\r</clock>\r") << none << "[id=4]";
        QTest::newRow("lone LF, byte-order mark")
            << QByteArray("\xEF\xBB\xBFmute=true\n<clock>\nid:4\n</clock>\n") << none << "[id=4] mute";
        QTest::newRow("UTF-8") << QByteArray("<clock>\r\nid:1\r\ncomment:Caf\xC3\xA9\r\n</clock>") << none
                               << "[id=1 comment=Caf\u00E9]";
        QTest::newRow("Latin-1") << QByteArray("<clock>\r\nid:1\r\ncomment:Caf\xE9\r\n</clock>") << none
                                 << "[id=1 comment=Caf\u00E9]";
        QTest::newRow("equals first, no equals")
            << crlf("=mute\nmute\nformleft 5\n<clock>\nid\nid=3\n</clock>") << none << "[id=13]";
        QTest::newRow("reset on load")
            << crlf("<clock>\nid:1\nduration:60\ncurrenttime:5\n</clock>") << "reset"
            << "[id=1 dur=60 cur=60]";
        QTest::newRow("window place applied")
            << crlf("formleft=300\nformtop=150\nformleft=450") << none << "place=450,150,10200,6900";
        QTest::newRow("window place not allowed") << crlf("formleft=300\nformtop=150") << "norepos"
                                                  << "";
        QTest::newRow("newer version")
            << crlf("progver=1.1.0\n<clock>\nid:1\n</clock>") << none
            << "[id=1] msg=info: Warning, this clock file was created with a newer version of Zentr";
        QTest::newRow("version too short")
            << crlf("progver=1.0") << none
            << "msg=info: Error while comparing versions: index out of range: version \"1.0\" has no part 3";
        QTest::newRow("16-bit overflow ends the load")
            << crlf("<clock>\nid:1\n</clock>\n<clock>\nid:2\ngroupnum:70000\n</clock>\n<clock>\nid:3\n</"
                    "clock>")
            << none
            << "[id=1] fail@6: the value \"70000\" of \"groupnum\" is not a whole number from -32768 to "
               "32767";
        QTest::newRow("tick volume overflow")
            << crlf("<clock>\nid:1\ntickvol3:-40000\n</clock>") << none
            << "fail@3: the value \"-40000\" of \"tickvol3\" is not a whole number from -32768 to 32767";
        QTest::newRow("group name without a digit")
            << crlf("groupname1=A\ngroupnameX=B\ngroupname2=C") << none
            << "g1=A fail@2: \"groupnamex\" does not name a group from 0 to 9";
        QTest::newRow("just groupname")
            << crlf("groupname=B") << none << "fail@1: \"groupname\" does not name a group from 0 to 9";
        QTest::newRow("empty file") << QByteArray() << none << "";
        QTest::newRow("10 MB line") << crlf("<clock>\nid:1\ncomment:") + QByteArray(10 << 20, 'x') +
                                           "\r\n</clock>"
                                    << none << "[id=1 comment=<10485760>]";
        QByteArray garbage(4096, '\0');
        QRandomGenerator random(7);
        for (char& byte : garbage)
            byte = char(random.bounded(256));
        QTest::newRow("binary garbage") << garbage << none << "";
        QTest::newRow("garbage inside a block")
            << crlf("<clock>\nid:1\n") + garbage + crlf("\n</clock>\n<clock>\nid:2\n</clock>") << none
            << "[id=1] [id=2]";
    }
    void read() {
        QFETCH(QByteArray, content);
        QFETCH(QString, options);
        QFETCH(QString, board);
        TestBoard b;
        b.options.setChecked(Option::ResetOnLoad, options == QLatin1String("reset"));
        b.options.setChecked(Option::AllowRepos, options != QLatin1String("norepos"));
        FakeBoardWindow window;
        const WindowTwips before = window.place;
        FakeFilePrompts prompts;
        ClockFileReader reader(b.clocks, window, prompts);
        ReadFailure failure;
        const bool ok = reader.read(content, &failure);

        QStringList out;
        for (int i = 0; i < b.clocks.clockCount(); ++i)
            out << describe(b.clocks.clock(i));
        for (const auto& [option, name] : {std::pair{Option::ViewBounds, "noboxes"},
                                           {Option::ViewArrange, "arrange"},
                                           {Option::Mute, "mute"}})
            if (b.options.isChecked(option) != (option == Option::ViewBounds))
                out << name;
        for (int g = 0; g < GroupTable::groupCount; ++g)
            if (!b.clocks.groups().name(g).isEmpty())
                out << QStringLiteral("g%1=%2").arg(g).arg(b.clocks.groups().name(g));
        const WindowTwips p = window.place;
        if (std::tie(p.left, p.top, p.width, p.height) !=
            std::tie(before.left, before.top, before.width, before.height))
            out << QStringLiteral("place=%1,%2,%3,%4").arg(p.left).arg(p.top).arg(p.width).arg(p.height);
        for (const QString& message : prompts.messages)
            out << QStringLiteral("msg=") + (message.size() > 90 ? message.left(72) : message);
        if (!ok)
            out << QStringLiteral("fail@%1: %2").arg(failure.line).arg(failure.reason);
        QCOMPARE(out.join(' '), board);
        if (QTest::currentDataTag() == QLatin1String("written form"))
            QCOMPARE(ClockFileWriter::write(b.clocks, window.placement()), content);
    }

    // Every group name line refreshes that group's menu caption, in file order.
    void groupNamesRefreshCaptions() {
        TestBoard b;
        FakeBoardWindow window;
        FakeFilePrompts prompts;
        ReadFailure failure;
        QVERIFY(ClockFileReader(b.clocks, window, prompts)
                    .read(crlf("groupname1=A\ngroupname1=B\ngroupname9="), &failure));
        QCOMPARE(window.groupCaptions, QStringList({"1", "1", "9"}));
        QCOMPARE(b.clocks.groups().name(1), QStringLiteral("B"));
    }
};

QTEST_GUILESS_MAIN(TestClockFileReader)
#include "tst_clockfilereader.moc"
