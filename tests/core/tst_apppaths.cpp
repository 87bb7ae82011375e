#include "core/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The program's folder: the first of the executable's own and share/zentriq beside its bin/ that holds
// either the tick sound or the pictures; the executable's own when neither does.
class TestAppPaths : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void programFolder_data() {
        QTest::addColumn<QStringList>("made"); // below the temporary folder; bin/ holds the executable
        QTest::addColumn<QString>("found");
        QTest::newRow("pictures beside it")
            << QStringList{"bin/pictures/", "share/zentriq/sounds/tick.wav"} << "bin";
        QTest::newRow("installed sound") << QStringList{"share/zentriq/sounds/tick.wav"} << "share/zentriq";
        QTest::newRow("installed pictures") << QStringList{"share/zentriq/pictures/"} << "share/zentriq";
        QTest::newRow("neither") << QStringList{"share/zentriq/sounds/"} << "bin";
    }
    void programFolder() {
        QFETCH(QStringList, made);
        QFETCH(QString, found);
        const QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("bin"));
        for (const QString& path : made) {
            QVERIFY(QDir(dir.path()).mkpath(path.section('/', 0, -2)));
            if (!path.endsWith('/'))
                QVERIFY(QFile(dir.filePath(path)).open(QIODevice::WriteOnly));
        }
        QCOMPARE(AppPaths::programFolder(dir.filePath("bin")), QDir::cleanPath(dir.filePath(found)));
    }
};

QTEST_GUILESS_MAIN(TestAppPaths)
#include "tst_apppaths.moc"
