#include "core/CommandLine.h"

#include <QStandardPaths>
#include <QTest>

// The whole command line is one path: one leading and one trailing quote go, and it must end in ".clk".
class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void clockFileArgument_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("file");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("quoted, capitals") << "\"/a b.CLK\""
                                          << "/a b.CLK";
        QTest::newRow("only a leading quote") << "\"/a.clk"
                                              << "/a.clk";
        QTest::newRow("inner quotes stay") << "\"/\"b\".clk\""
                                           << "/\"b\".clk";
        QTest::newRow("a single quote") << "\""
                                        << "";
        QTest::newRow("trailing blank") << "/a.clk "
                                        << "";
        QTest::newRow("other extension") << "/a.clock"
                                         << "";
    }
    void clockFileArgument() {
        QFETCH(QString, line);
        QFETCH(QString, file);
        QCOMPARE(CommandLine::clockFileArgument(line), file);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
