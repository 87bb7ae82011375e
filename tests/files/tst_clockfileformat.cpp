#include "files/ClockFileFormat.h"

#include <QStandardPaths>
#include <QTest>
#include <limits>

// How numbers, booleans and texts are written to and read from a clock file.
class TestClockFileFormat : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void real_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 300.0 << "300";
        QTest::newRow("fraction") << 12.5 << "12.5";
        QTest::newRow("negative fraction") << -0.25 << "-0.25";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("15 digits") << 123456789012345.0 << "123456789012345";
        QTest::newRow("16 digits go to exponent form") << 1234567890123456.0 << "1.23456789012346E+15";
        QTest::newRow("one third") << 1.0 / 3 << "0.333333333333333";
        QTest::newRow("large") << 1e20 << "1E+20";
        QTest::newRow("small") << 0.00001 << "1E-05";
        QTest::newRow("not yet small") << 0.0001 << "0.0001";
    }
    void real() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromLatin1(ClockFileFormat::real(value)), text);
    }

    void shortReal_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("position") << 4500.0f << "4500";
        QTest::newRow("half") << -7.5f << "-7.5";
        QTest::newRow("tenth, not its float noise") << 0.1f << "0.1";
        QTest::newRow("8 digits go to exponent form") << 12345678.0f << "1.234568E+07";
        QTest::newRow("largest float") << std::numeric_limits<float>::max() << "3.402823E+38";
    }
    void shortReal() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromLatin1(ClockFileFormat::shortReal(value)), text);
    }

    void texts_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        const auto boolean = [](bool b) { return QString::fromLatin1(ClockFileFormat::boolean(b)); };
        QTest::newRow("boolean True") << "True" << boolean(true);
        QTest::newRow("boolean False") << "False" << boolean(false);
        QTest::newRow("read TRUE") << "True" << boolean(ClockFileFormat::readBoolean(u"TRUE"));
        QTest::newRow("read blanks") << "True" << boolean(ClockFileFormat::readBoolean(u" true "));
        QTest::newRow("read yes") << "False" << boolean(ClockFileFormat::readBoolean(u"yes"));
        QTest::newRow("read -1") << "False" << boolean(ClockFileFormat::readBoolean(u"-1"));
        QTest::newRow("line breaks become blanks")
            << "a b c  d" << ClockFileFormat::oneLine(QStringLiteral("a\nb\rc\r\nd"));
    }
    void texts() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(out, in);
    }
};

QTEST_GUILESS_MAIN(TestClockFileFormat)
#include "tst_clockfileformat.moc"
