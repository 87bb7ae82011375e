#include "TestBoard.h"
#include "files/ClockFileFormat.h"

#include <limits>

// How numbers, booleans and texts are written to and read from a clock file.
class TestClockFileFormat : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Doubles keep 15 digits, positions (floats) 7, both in the exponent form files have always used.
    void numbers_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("position");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 300.0 << false << "300";
        QTest::newRow("fraction") << 12.5 << false << "12.5";
        QTest::newRow("negative fraction") << -0.25 << false << "-0.25";
        QTest::newRow("negative zero") << -0.0 << false << "0";
        QTest::newRow("15 digits") << 123456789012345.0 << false << "123456789012345";
        QTest::newRow("16 digits go to exponent form")
            << 1234567890123456.0 << false << "1.23456789012346E+15";
        QTest::newRow("one third") << 1.0 / 3 << false << "0.333333333333333";
        QTest::newRow("large") << 1e20 << false << "1E+20";
        QTest::newRow("small") << 0.00001 << false << "1E-05";
        QTest::newRow("not yet small") << 0.0001 << false << "0.0001";
        QTest::newRow("position") << 4500.0 << true << "4500";
        QTest::newRow("half position") << -7.5 << true << "-7.5";
        QTest::newRow("tenth, not its float noise") << double(0.1f) << true << "0.1";
        QTest::newRow("8 digits go to exponent form") << 12345678.0 << true << "1.234568E+07";
        QTest::newRow("largest float") << double(std::numeric_limits<float>::max()) << true << "3.402823E+38";
    }
    void numbers() {
        QFETCH(double, value);
        QFETCH(bool, position);
        QFETCH(QString, text);
        QCOMPARE(QString::fromLatin1(position ? ClockFileFormat::shortReal(float(value))
                                              : ClockFileFormat::real(value)),
                 text);
    }

    void texts() {
        QCOMPARE(ClockFileFormat::boolean(true), QByteArray("True"));
        QCOMPARE(ClockFileFormat::boolean(false), QByteArray("False"));
        for (const char16_t* yes : {u"TRUE", u" true "})
            QVERIFY(ClockFileFormat::readBoolean(yes));
        for (const char16_t* no : {u"yes", u"-1"})
            QVERIFY(!ClockFileFormat::readBoolean(no));
        QCOMPARE(ClockFileFormat::oneLine(QStringLiteral("a\nb\rc\r\nd")), QStringLiteral("a b c  d"));
    }
};

QTEST_GUILESS_MAIN(TestClockFileFormat)
#include "tst_clockfileformat.moc"
