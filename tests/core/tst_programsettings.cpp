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
    // The options read (capital: on) and what stands at the path.
    static QString state(const QString& path) {
        const OptionSet o = loaded(path);
        const Option kinds[] = {Option::Sync, Option::ResetOnLoad, Option::Notify, Option::AllowRepos,
                                Option::Mute};
        QString s;
        for (int i = 0; i < 5; ++i)
            s += QChar(o.isChecked(kinds[i]) ? "SRNAM"[i] : "srnam"[i]);
        const QFileInfo file(path);
        return s + (!file.exists() ? " none" : file.isFile() ? " file" : " other");
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // What the first run reads; anything but a boolean text gives the default; mute is never read. Then
    // sync, notify and repositioning are turned over and saved, and the next run reads them back, except
    // through a named pipe ("|"), which is neither read nor written, nor waited on.
    void loadAndSave_data() {
        textRows({"stored", "read"}, {{"first run", "-", "SrNAm none | srnam file"},
                                      {"True", "True", "SRNAm file | sRnam file"},
                                      {"any case, blanks", " fAlse ", "srnAm file | SrNam file"},
                                      {"yes", "yes", "SrNAm file | srnam file"},
                                      {"a named pipe", "|", "SrNAm other | SrNAm other"}});
    }
    void loadAndSave() {
        QFETCH(QString, stored);
        QFETCH(QString, read);
        const QString path = m_dir.filePath(QStringLiteral("%1/zentriq.conf").arg(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        if (stored == "|")
            QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (stored != "-")
            QVERIFY(file.open(QIODevice::WriteOnly) &&
                    file.write(("[misc]\nmute=True\nsyncClocks=" + stored + "\nresetOnLoad=" + stored +
                                "\nnotify=" + stored + "\n")
                                   .toUtf8()) > 0);
        file.close();
        const QString first = state(path);
        OptionSet options = loaded(path);
        for (Option o : {Option::Sync, Option::AllowRepos, Option::Notify})
            options.setChecked(o, !options.isChecked(o));
        {
            QSettingsStore store(path);
            ProgramSettings(store, options).saveSettings();
        }
        QCOMPARE(first + " | " + state(path), read);
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
