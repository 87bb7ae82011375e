#include "files/VersionCheck.h"

#include <QStandardPaths>
#include <QTest>

// Whether a file's version is newer than the program's 1.0.3, part by part.
class TestVersionCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void getVersion() { QCOMPARE(VersionCheck::getVersion(), QStringLiteral("1.0.3")); }

    void isNewerVersion_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("result"); // "newer", "not newer" or the error
        QTest::newRow("same") << "1.0.3"
                              << "not newer";
        QTest::newRow("revision") << "1.0.4"
                                  << "newer";
        QTest::newRow("minor") << "1.1.0"
                               << "newer";
        QTest::newRow("major alone") << "2"
                                     << "newer";
        QTest::newRow("older minor") << "0.9.9"
                                     << "not newer";
        QTest::newRow("numbers, not text") << "1.0.10"
                                           << "newer";
        QTest::newRow("fourth part") << "1.0.3.9"
                                     << "not newer";
        QTest::newRow("major only, equal") << "1"
                                           << "index out of range: version \"1\" has no part 2";
        QTest::newRow("two parts") << "1.0"
                                   << "index out of range: version \"1.0\" has no part 3";
        QTest::newRow("older, two parts") << "0.9"
                                          << "index out of range: version \"0.9\" has no part 3";
        QTest::newRow("empty") << ""
                               << "index out of range: version \"\" has no part 1";
        QTest::newRow("letters") << "1.x.3"
                                 << "type mismatch: part 2 of version \"1.x.3\" is \"x\", not a number";
    }
    void isNewerVersion() {
        QFETCH(QString, file);
        QFETCH(QString, result);
        QString error;
        const bool newer = VersionCheck::isNewerVersion(file, &error);
        QCOMPARE(error.isEmpty() ? QString(newer ? "newer" : "not newer") : error, result);
        QVERIFY(!newer || error.isEmpty());
    }

    void warningNamesTheVersionAsWritten() {
        const QStringList lines = VersionCheck::newerVersionWarning(QStringLiteral("2.0.0-Beta")).split('\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[1],
                 QStringLiteral("And if you resave this file, information usable to version 2.0.0-Beta "
                                "will be lost."));
    }
};

QTEST_GUILESS_MAIN(TestVersionCheck)
#include "tst_versioncheck.moc"
