#include "core/OptionSet.h"
#include "core/ProgramSettings.h"
#include "core/QSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The options kept between runs, read from a real settings file. Writing them is checked by the smoke
// tests, which quit the real program.
class TestProgramSettings : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    }

    // Anything but a boolean text gives the default; mute is never read from the store.
    void loadSettings_data() {
        QTest::addColumn<QByteArray>("stored"); // for syncClocks, notify and resetOnLoad; null: no file
        QTest::addColumn<bool>("sync");
        QTest::addColumn<bool>("resetOnLoad");
        QTest::newRow("first run") << QByteArray() << true << false;
        QTest::newRow("True") << QByteArray("True") << true << true;
        QTest::newRow("False") << QByteArray("False") << false << false;
        QTest::newRow("any case, blanks") << QByteArray(" fAlse ") << false << false;
        QTest::newRow("yes") << QByteArray("yes") << true << false;
        QTest::newRow("empty") << QByteArray("") << true << false;
        QTest::newRow("a list") << QByteArray("True, False") << true << false;
    }
    void loadSettings() {
        QFETCH(QByteArray, stored);
        QFETCH(bool, sync);
        QFETCH(bool, resetOnLoad);
        QFile file(m_dir.filePath("zentriq/zentriq.conf"));
        file.remove();
        if (!stored.isNull()) {
            QVERIFY(QDir(m_dir.path()).mkpath("zentriq") && file.open(QIODevice::WriteOnly));
            file.write("[misc]\nmute=True\nsyncClocks=" + stored + "\nresetOnLoad=" + stored +
                       "\nnotify=" + stored + "\n");
            file.close();
        }
        OptionSet options; // start from the opposite of every default
        options.setChecked(Option::Sync, false);
        options.setChecked(Option::ResetOnLoad, true);
        options.setChecked(Option::AllowRepos, false);
        options.setChecked(Option::Notify, false);
        QSettingsStore store(QStringLiteral("zentriq"));
        ProgramSettings(store, options).loadSettings();
        QCOMPARE(options.isChecked(Option::Sync), sync);
        QCOMPARE(options.isChecked(Option::ResetOnLoad), resetOnLoad);
        QCOMPARE(options.isChecked(Option::Notify), sync); // on by default, like sync
        QVERIFY(options.isChecked(Option::AllowRepos));
        QVERIFY(!options.isChecked(Option::Mute));
        QCOMPARE(file.exists(), !stored.isNull()); // reading makes no file
    }
};

QTEST_GUILESS_MAIN(TestProgramSettings)
#include "tst_programsettings.moc"
