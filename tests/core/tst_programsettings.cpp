#include "TestBoard.h"
#include "core/IEventPump.h"
#include "core/IPassView.h"
#include "core/MainLoop.h"
#include "core/Program.h"
#include "core/ProgramSettings.h"
#include "core/QSettingsStore.h"
#include "core/RepaintScheduler.h"

#include <QTemporaryDir>
#include <sys/stat.h>

// The options kept between runs, in a real settings file.
class TestProgramSettings : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    static OptionSet loaded(const QString& path) {
        OptionSet options; // start from the opposite of every default
        for (Option o : {Option::Sync, Option::ResetOnLoad, Option::AllowRepos, Option::Notify})
            options.setChecked(o, o == Option::ResetOnLoad);
        QSettingsStore store(path);
        ProgramSettings(store, options).loadSettings();
        return options;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Anything but a boolean text gives the default; mute is never read from the store. What is saved is read
    // back by the next run, except through a named pipe, which is neither read nor written, nor waited on.
    void loadAndSave_data() {
        QTest::addColumn<QByteArray>("stored"); // syncClocks, resetOnLoad, notify; null: no file; "|": a pipe
        QTest::addColumn<bool>("sync");
        QTest::addColumn<bool>("resetOnLoad");
        QTest::newRow("first run") << QByteArray() << true << false;
        QTest::newRow("True") << QByteArray("True") << true << true;
        QTest::newRow("any case, blanks") << QByteArray(" fAlse ") << false << false;
        QTest::newRow("yes") << QByteArray("yes") << true << false;
        QTest::newRow("a named pipe") << QByteArray("|") << true << false;
    }
    void loadAndSave() {
        QFETCH(QByteArray, stored);
        QFETCH(bool, sync);
        QFETCH(bool, resetOnLoad);
        const QString path = m_dir.filePath(QStringLiteral("%1/zentriq.conf").arg(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        if (stored == "|")
            QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (!stored.isNull())
            QVERIFY(file.open(QIODevice::WriteOnly) &&
                    file.write("[misc]\nmute=True\nsyncClocks=" + stored + "\nresetOnLoad=" + stored +
                               "\nnotify=" + stored + "\n") > 0);
        file.close();
        OptionSet options = loaded(path);
        QCOMPARE(options.isChecked(Option::Sync), sync);
        QCOMPARE(options.isChecked(Option::ResetOnLoad), resetOnLoad);
        QCOMPARE(options.isChecked(Option::Notify), sync); // on by default, like sync
        QVERIFY(options.isChecked(Option::AllowRepos) && !options.isChecked(Option::Mute));
        QCOMPARE(file.exists(), !stored.isNull()); // reading makes no file
        options.setChecked(Option::Sync, !sync);
        options.setChecked(Option::AllowRepos, false);
        options.setChecked(Option::Notify, !sync);
        {
            QSettingsStore store(path);
            ProgramSettings(store, options).saveSettings();
        }
        const OptionSet next = loaded(path);
        const bool kept = stored != "|";
        QCOMPARE(next.isChecked(Option::Sync), kept ? !sync : true);
        QCOMPARE(next.isChecked(Option::Notify), kept ? !sync : true);
        QCOMPARE(next.isChecked(Option::AllowRepos), !kept);
        QCOMPARE(next.isChecked(Option::ResetOnLoad), kept && resetOnLoad);
        QCOMPARE(QFileInfo(path).isFile(), kept);
    }

    // Quitting stores the options and ends the loop after the pass it was asked in.
    void quitStoresTheOptionsAndEndsTheLoop() {
        struct Idle final : IEventPump, IPassView {
            Program* program = nullptr;
            void dispatch(std::optional<qint64>) override { program->quitProgram(); }
            void present() override {}
        } idle;
        TestBoard board;
        RepaintScheduler repaint;
        MainLoop loop(board.clocks, board.time, board.options, idle, idle, repaint);
        const QString path = m_dir.filePath(QStringLiteral("quit/zentriq.conf"));
        QSettingsStore store(path);
        ProgramSettings settings(store, board.options);
        Program program(loop, settings);
        idle.program = &program;
        board.options.setChecked(Option::ResetOnLoad, true);
        QCOMPARE(loop.run(), 0);
        QVERIFY(loaded(path).isChecked(Option::ResetOnLoad));
    }
};

QTEST_GUILESS_MAIN(TestProgramSettings)
#include "tst_programsettings.moc"
