#include "TestBoard.h"
#include "files/VersionCheck.h"

// Whether a file's version is newer than the program's 1.0.3, part by part.
class TestVersionCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void isNewerVersion_data() {
        const QString missing = "index out of range: version \"%1\" has no part %2";
        textRows({"file", "result"}, // "newer", "not newer" or the error
                 {{"same", "1.0.3", "not newer"},
                  {"revision", "1.0.4", "newer"},
                  {"minor", "1.1.0", "newer"},
                  {"major alone", "2", "newer"},
                  {"older minor", "0.9.9", "not newer"},
                  {"numbers, not text", "1.0.10", "newer"},
                  {"fourth part", "1.0.3.9", "not newer"},
                  {"major only, equal", "1", missing.arg("1").arg(2)},
                  {"two parts", "1.0", missing.arg("1.0").arg(3)},
                  {"older, two parts", "0.9", missing.arg("0.9").arg(3)},
                  {"empty", "", missing.arg("").arg(1)},
                  {"letters", "1.x.3", "type mismatch: part 2 of version \"1.x.3\" is \"x\", not a number"}});
    }
    void isNewerVersion() {
        QFETCH(QString, file);
        QFETCH(QString, result);
        QString error;
        const bool newer = VersionCheck::isNewerVersion(file, &error);
        QCOMPARE(error.isEmpty() ? QString(newer ? "newer" : "not newer") : error, result);
        QVERIFY(!newer || error.isEmpty());
        // The warning names the version as the file wrote it.
        QVERIFY(VersionCheck::newerVersionWarning(file).contains(" usable to version " + file +
                                                                 " will be lost."));
    }
};

QTEST_GUILESS_MAIN(TestVersionCheck)
#include "tst_versioncheck.moc"
