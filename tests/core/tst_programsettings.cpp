#include "TestBoard.h"
#include "core/IEventPump.h"
#include "core/IPassView.h"
#include "core/MainLoop.h"
#include "core/Program.h"
#include "core/ProgramSettings.h"
#include "core/QSettingsStore.h"
#include "core/RepaintScheduler.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
class IdlePump final : public IEventPump {
public:
    void dispatch(std::optional<qint64>) override {}
};

class NoView final : public IPassView {
public:
    void present() override {}
};
} // namespace

// The three stored options against a real settings file in a temporary folder.
class TestProgramSettings : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString storePath() const { return m_dir.filePath(QStringLiteral("zentriq/zentriq.conf")); }
    QString storedText() const {
        QFile f(storePath());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    void writeStore(const QByteArray& text) {
        QDir().mkpath(m_dir.filePath(QStringLiteral("zentriq")));
        QFile f(storePath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    }

    void init() { QFile::remove(storePath()); }

    void firstRunGivesDefaults() {
        OptionSet options;
        options.setChecked(Option::Sync, false);
        options.setChecked(Option::AllowRepos, false);
        options.setChecked(Option::ResetOnLoad, true);
        QSettingsStore store(QStringLiteral("zentriq"));
        ProgramSettings(store, options).loadSettings();
        QVERIFY(options.isChecked(Option::Sync));
        QVERIFY(options.isChecked(Option::AllowRepos));
        QVERIFY(!options.isChecked(Option::ResetOnLoad));
        QVERIFY2(!QFile::exists(storePath()), "reading must not create the store");
    }

    void storedTexts_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("sync");  // default true
        QTest::addColumn<bool>("reset"); // default false
        QTest::newRow("True") << QByteArray("True") << true << true;
        QTest::newRow("False") << QByteArray("False") << false << false;
        QTest::newRow("lower case") << QByteArray("true") << true << true;
        QTest::newRow("upper case") << QByteArray("FALSE") << false << false;
        QTest::newRow("blanks around") << QByteArray(" False ") << false << false;
        QTest::newRow("word") << QByteArray("yes") << true << false;
        QTest::newRow("number") << QByteArray("0") << true << false;
        QTest::newRow("empty") << QByteArray("") << true << false;
        QTest::newRow("list") << QByteArray("True, False") << true << false;
        QTest::newRow("variant") << QByteArray("@Invalid()") << true << false;
    }

    void storedTexts() {
        QFETCH(QByteArray, text);
        QFETCH(bool, sync);
        QFETCH(bool, reset);
        writeStore("[misc]\nsyncClocks=" + text + "\nresetOnLoad=" + text + "\n");
        OptionSet options;
        QSettingsStore store(QStringLiteral("zentriq"));
        ProgramSettings(store, options).loadSettings();
        QCOMPARE(options.isChecked(Option::Sync), sync);
        QCOMPARE(options.isChecked(Option::ResetOnLoad), reset);
        QVERIFY(options.isChecked(Option::AllowRepos)); // missing key
    }

    void savesTrueFalseTextsAndNothingElse() {
        OptionSet options;
        options.setChecked(Option::Sync, false);
        options.setChecked(Option::ResetOnLoad, true);
        options.setChecked(Option::Mute, true);
        options.setChecked(Option::ViewArrange, true);
        {
            QSettingsStore store(QStringLiteral("zentriq"));
            ProgramSettings(store, options).saveSettings();
        }
        const QStringList lines = storedText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines,
                 (QStringList{QStringLiteral("[misc]"), QStringLiteral("allowRepos=True"),
                              QStringLiteral("resetOnLoad=True"), QStringLiteral("syncClocks=False")}));
    }

    void nextRunReadsWhatWasSaved() {
        OptionSet first;
        first.setChecked(Option::Sync, false);
        first.setChecked(Option::AllowRepos, false);
        first.setChecked(Option::ResetOnLoad, true);
        first.setChecked(Option::Mute, true);
        {
            QSettingsStore store(QStringLiteral("zentriq"));
            ProgramSettings(store, first).saveSettings();
        }
        OptionSet next;
        QSettingsStore store(QStringLiteral("zentriq"));
        ProgramSettings(store, next).loadSettings();
        QVERIFY(!next.isChecked(Option::Sync));
        QVERIFY(!next.isChecked(Option::AllowRepos));
        QVERIFY(next.isChecked(Option::ResetOnLoad));
        QVERIFY2(!next.isChecked(Option::Mute), "a muted run is followed by an unmuted one");
    }

    void muteInTheStoreIsIgnored() {
        writeStore("[misc]\nmute=True\n");
        OptionSet options;
        QSettingsStore store(QStringLiteral("zentriq"));
        ProgramSettings(store, options).loadSettings();
        QVERIFY(!options.isChecked(Option::Mute));
    }

    // The one way out writes the options once and stops the loop; nothing else writes them.
    void onlyQuitProgramStores() {
        TestBoard board;
        IdlePump pump;
        NoView view;
        RepaintScheduler repaint;
        MainLoop loop(board.clocks, board.time, board.options, pump, view, repaint);
        QSettingsStore store(QStringLiteral("zentriq"));
        ProgramSettings settings(store, board.options);
        Program program(loop, settings);

        settings.loadSettings();
        board.options.setChecked(Option::Sync, false);
        loop.pass();
        QVERIFY2(!QFile::exists(storePath()), "a toggle reaches the store only when the program quits");

        program.quitProgram();
        QVERIFY(loop.quitRequested());
        QVERIFY(storedText().contains(QLatin1String("syncClocks=False")));

        // Events dispatched while quitting may ask to quit again; the first answer stands.
        board.options.setChecked(Option::Sync, true);
        program.quitProgram();
        QVERIFY(storedText().contains(QLatin1String("syncClocks=False")));
    }
};

QTEST_GUILESS_MAIN(TestProgramSettings)
#include "tst_programsettings.moc"
