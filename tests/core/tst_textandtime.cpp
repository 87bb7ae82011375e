#include "core/CommandLine.h"
#include "core/TextNumber.h"
#include "core/TimeText.h"

#include <QStandardPaths>
#include <QTest>

// The small text rules shared by the dialog, the files and the display.
class TestTextAndTime : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void clockText_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("hour minutes seconds") << 3725.0 << "01:02:05";
        QTest::newRow("zero") << 0.0 << "00:00:00";
        QTest::newRow("fraction dropped") << 59.9 << "00:00:59";
        QTest::newRow("100 hours") << 360000.0 << "100:00:00";
        QTest::newRow("beyond 16 bits") << 32768.0 * 3600 << "32768:00:00";
        QTest::newRow("overshot") << -2.0 << "-00:00:02";
        QTest::newRow("overshot by a fraction") << -0.5 << "00:00:00";
        QTest::newRow("overshot an hour") << -3661.0 << "-01:01:01";
        QTest::newRow("absurdly large") << 1e30 << "1000000000000000:00:00";
    }
    void clockText() {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(TimeText::clockText(seconds), text);
    }

    void number_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "300" << 300.0;
        QTest::newRow("blanks and fraction") << "  12.5" << 12.5;
        QTest::newRow("sign and exponent") << "-1.5E+3" << -1500.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("trailing text") << "90 minutes" << 90.0;
        QTest::newRow("exponent without digits") << "2e" << 2.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("comma is not a point") << "1,5" << 1.0;
        QTest::newRow("overflow") << "1e999" << 0.0;
    }
    void number() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(TextNumber::number(text), value);
    }

    void integer16_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("value");
        QTest::newRow("minus one") << "-1" << true << -1;
        QTest::newRow("half to even down") << "2.5" << true << 2;
        QTest::newRow("half to even up") << "3.5" << true << 4;
        QTest::newRow("largest") << "32767" << true << 32767;
        QTest::newRow("too large") << "32768" << false << 0;
        QTest::newRow("too small") << "-32769" << false << 0;
    }
    void integer16() {
        QFETCH(QString, text);
        QFETCH(bool, fits);
        QFETCH(int, value);
        const auto got = TextNumber::integer16(text);
        QCOMPARE(got.has_value(), fits);
        if (fits)
            QCOMPARE(int(*got), value);
    }

    void commandLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("file");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("quoted capitals") << "\"/home/me/My Board.CLK\""
                                         << "/home/me/My Board.CLK";
        QTest::newRow("only a leading quote") << "\"/tmp/a.clk"
                                              << "/tmp/a.clk";
        QTest::newRow("a single quote") << "\""
                                        << "";
        QTest::newRow("trailing blank") << "/tmp/a.clk "
                                        << "";
        QTest::newRow("other extension") << "/tmp/a.clock"
                                         << "";
    }
    void commandLine() {
        QFETCH(QString, line);
        QFETCH(QString, file);
        QCOMPARE(CommandLine::clockFileArgument(line), file);
    }

    void stripQuotesKeepsInnerQuotes() {
        QCOMPARE(CommandLine::stripQuotes("\"a \"b\" c\""), QString("a \"b\" c"));
        QCOMPARE(CommandLine::stripQuotes("\"\""), QString());
    }
};

QTEST_GUILESS_MAIN(TestTextAndTime)
#include "tst_textandtime.moc"
