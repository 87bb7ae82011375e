#include "core/TextNumber.h"

#include <QStandardPaths>
#include <QTest>

// The lenient reading of numbers in fields and files, and the 16-bit rounding rule.
class TestTextNumber : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void number_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("integer"); // "none" when it does not fit 16 bits
        QTest::newRow("blanks and a fraction") << " \t 12.5" << 12.5 << "12";
        QTest::newRow("sign and exponent") << "-1.5E+3" << -1500.0 << "-1500";
        QTest::newRow("plus, point first, exponent") << "+.5e-2" << 0.005 << "0";
        QTest::newRow("two signs") << "--5" << 0.0 << "0";
        QTest::newRow("infinity is no number") << "inf" << 0.0 << "0";
        QTest::newRow("half to even") << "3.5 minutes" << 3.5 << "4";
        QTest::newRow("exponent without digits") << "2e" << 2.0 << "2";
        QTest::newRow("letters") << "abc" << 0.0 << "0";
        QTest::newRow("comma is no point") << "1,5" << 1.0 << "1";
        QTest::newRow("overflow") << "1e999" << 0.0 << "0";
        QTest::newRow("largest") << "32767" << 32767.0 << "32767";
        QTest::newRow("too large") << "32768" << 32768.0 << "none";
        QTest::newRow("too small") << "-32769" << -32769.0 << "none";
        QTest::newRow("64 characters") << "-" + QString(63, QLatin1Char('0')) << -0.0 << "0";
        QTest::newRow("63 characters") << "9" + QString(62, QLatin1Char('0')) << 9e62 << "none";
        QTest::newRow("long text") << " 42" + QString(80, QChar(0x2592)) << 42.0 << "42";
    }
    void number() {
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(QString, integer);
        QCOMPARE(TextNumber::number(text), number);
        const auto rounded = TextNumber::integer16(text);
        QCOMPARE(rounded ? QString::number(*rounded) : QStringLiteral("none"), integer);
    }
};

QTEST_GUILESS_MAIN(TestTextNumber)
#include "tst_textnumber.moc"
