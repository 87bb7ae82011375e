#include "TestBoard.h"
#include "core/CommandLine.h"

#include <QStandardPaths>
#include <QTest>

// The whole command line is one path: one leading and one trailing quote go, and it must end in ".clk".
class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void clockFileArgument_data() {
        textRows({"line", "file"}, {{"empty", "", ""},
                                    {"quoted, capitals", "\"/a b.CLK\"", "/a b.CLK"},
                                    {"only a leading quote", "\"/a.clk", "/a.clk"},
                                    {"inner quotes stay", "\"/\"b\".clk\"", "/\"b\".clk"},
                                    {"a single quote", "\"", ""},
                                    {"trailing blank", "/a.clk ", ""},
                                    {"other extension", "/a.clock", ""}});
    }
    void clockFileArgument() {
        QFETCH(QString, line);
        QFETCH(QString, file);
        QCOMPARE(CommandLine::clockFileArgument(line), file);
    }

    // From the platform's arguments: joined with blanks into one path, quotes stripped from the bytes too,
    // and bytes that are not UTF-8 kept for opening the file.
    void clockFileFromArguments_data() {
        QTest::addColumn<QList<QByteArray>>("arguments");
        QTest::addColumn<QByteArray>("native");
        QTest::newRow("none") << QList<QByteArray>() << QByteArray();
        QTest::newRow("words joined")
            << QList<QByteArray>{"\"/my", "board.CLK\""} << QByteArray("/my board.CLK");
        QTest::newRow("not UTF-8") << QList<QByteArray>{"/caf\xE9.clk"} << QByteArray("/caf\xE9.clk");
        QTest::newRow("not a clock file") << QList<QByteArray>{"/a.txt"} << QByteArray();
    }
    void clockFileFromArguments() {
        QFETCH(QList<QByteArray>, arguments);
        QFETCH(QByteArray, native);
        const CommandLine::ClockFile file = CommandLine::clockFileFromArguments(arguments);
        QCOMPARE(file.native, native);
        QCOMPARE(file.path.isEmpty(), native.isEmpty());
        QVERIFY(native.isEmpty() || file.path.endsWith(QLatin1String(".clk"), Qt::CaseInsensitive));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
