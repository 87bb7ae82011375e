#include "TestBoard.h"
#include "core/CommandLine.h"
#include "core/ErrorLog.h"
#include "core/IEventPump.h"
#include "core/IPassView.h"
#include "core/MainLoop.h"
#include "core/ProgramSettings.h"
#include "core/QSettingsStore.h"
#include "core/RepaintScheduler.h"
#include "core/TextNumber.h"
#include "core/TimeText.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {
// A loop with one running count-up clock; it sleeps by moving the fake clock to the moment asked for.
struct Rig final : IEventPump, IPassView {
    TestBoard b;
    clsClock& c = b.add(0);
    RepaintScheduler repaint;
    MainLoop loop{b.clocks, b.time, b.options, *this, *this, repaint};

    explicit Rig(bool sync) {
        b.options.setChecked(Option::Sync, sync);
        c.setCountType(1);
        loop.advance(); // the first synchronised pass only sets the common second
        c.setActive(true);
    }
    void dispatch(std::optional<qint64> wakeAtMs) override {
        b.time.set(std::max(b.time.nowMs(), wakeAtMs.value_or(0)));
    }
    void present() override {}
    void advanceAfter(qint64 ms) {
        b.time.advance(ms);
        loop.advance();
    }
};
} // namespace

// The main loop's timing; time and number texts, the command line, the error log and reading the options.
class TestProgram : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    // Options loaded over non-defaults: S/s sync, R/r reset on load, A/a allow repositioning, M/m mute.
    static QString loaded() {
        OptionSet o;
        o.setChecked(Option::Sync, false);
        o.setChecked(Option::ResetOnLoad, true);
        o.setChecked(Option::AllowRepos, false);
        QSettingsStore store(QStringLiteral("zentriq"));
        ProgramSettings(store, o).loadSettings();
        return QString(o.isChecked(Option::Sync) ? "S" : "s") +
               (o.isChecked(Option::ResetOnLoad) ? "R" : "r") +
               (o.isChecked(Option::AllowRepos) ? "A" : "a") + (o.isChecked(Option::Mute) ? "M" : "m");
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    }

    // The seconds shown after each step: N ms, then an advance; S or U, a switch to synchronised or
    // unsynchronised; R N, advances N ms long with random gaps of 0-50 ms; P N, N passes that sleep as asked.
    void timing_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("sync");
        QTest::addColumn<QString>("shown");
        // A modal dialog held the loop for 30.4 s; synchronised, the 0.4 s is carried to the next count.
        QTest::newRow("held, synchronised") << "30400 599 1" << true << "30 30 31";
        QTest::newRow("held, unsynchronised counts one") << "30400 599 1" << false << "1 1 1";
        QTest::newRow("held past 16 bits") << "40000500" << true << "40000";
        QTest::newRow("to synchronised, no second twice") << "1001 1001 S 0 999 1" << false << "1 2 2 2 3";
        // The random walk ends exactly a day on; own seconds count once more than 1000 ms have passed.
        QTest::newRow("a day without drift, synchronised") << "R86400000 1" << true << "86400 86400";
        QTest::newRow("a day without drift, unsynchronised") << "R86400000 1" << false << "86399 86400";
        QTest::newRow("sleeps to the next second, synchronised") << "P12" << true << "11";
        QTest::newRow("sleeps to the next second, unsynchronised") << "P12" << false << "11";
    }
    void timing() {
        QFETCH(QString, steps);
        QFETCH(bool, sync);
        QFETCH(QString, shown);
        Rig r(sync);
        QRandomGenerator gaps(42);
        QStringList seen;
        for (const QString& step : steps.split(' ')) {
            const qint64 n = step.mid(1).toLongLong();
            if (step == "S" || step == "U")
                r.b.options.setChecked(Option::Sync, step == "S");
            else if (step[0] == 'R')
                for (const qint64 end = r.b.time.nowMs() + n; r.b.time.nowMs() < end;)
                    r.advanceAfter(gaps.bounded(51));
            else if (step[0] == 'P')
                for (int i = 0; i < n; ++i)
                    r.loop.pass();
            else
                r.advanceAfter(step.toLongLong());
            if (step != "S" && step != "U")
                seen << QString::number(r.c.currentTime());
        }
        QCOMPARE(seen.join(' '), shown);
    }

    void repaintsAtMostOncePerFrame() {
        RepaintScheduler s; // a repaint is pending from the start
        QVERIFY(s.takeDue(1000));
        s.request(); // then, in order: too early, when due, when none is pending
        QCOMPARE(QList<qint64>({s.takeDue(1010), s.dueAtMs(), s.takeDue(1016), s.takeDue(2000), s.dueAtMs()}),
                 QList<qint64>({false, 1016, true, false, -1}));
    }
    void clockText() {
        QStringList texts;
        for (const double t : {3725.0, 59.9, 360000.0, 32768.0 * 3600, -2.0, -0.5, 1e30})
            texts << TimeText::clockText(t);
        QCOMPARE(texts, QStringList({"01:02:05", "00:00:59", "100:00:00", "32768:00:00", "-00:00:02",
                                     "00:00:00", "1000000000000000:00:00"}));
    }

    // The leading number of a text, and whether it rounds (half to even) into 16 bits.
    void number() {
        QList<double> numbers;
        QStringList integers;
        for (const QString text :
             {"  12.5", "-1.5E+3", "3.5 minutes", "2e", "abc", "1,5", "1e999", "32767", "32768", "-32769"}) {
            numbers << TextNumber::number(text);
            const auto integer = TextNumber::integer16(text);
            integers << (integer ? QString::number(*integer) : "none");
        }
        QCOMPARE(numbers, (QList<double>{12.5, -1500, 3.5, 2, 0, 1, 0, 32767, 32768, -32769}));
        QCOMPARE(integers.join(' '), "12 -1500 4 2 0 1 0 32767 none none");
    }

    // One leading and one trailing quote are dropped; the rest must end in ".clk", in any case.
    void commandLine() {
        QStringList files;
        for (const char* line : {"", "\"/a b.CLK\"", "\"/a.clk", "\"/\"b\".clk\"", "\"", "/a.clk ", "/a.c"})
            files << CommandLine::clockFileArgument(line);
        QCOMPARE(files, QStringList({"", "/a b.CLK", "/a.clk", "/\"b\".clk", "", "", ""}));
    }

    // Stored texts read back; anything but a boolean text gives the default, and mute is never read.
    void loadSettings() {
        QFile store(m_dir.filePath("zentriq/zentriq.conf"));
        QStringList read{loaded()}; // the first run: no store, and reading makes none
        QVERIFY(!store.exists() && QDir(m_dir.path()).mkpath("zentriq"));
        for (const QByteArray text : {"True", "False", " fAlse ", "yes", "", "True, False"}) {
            QVERIFY(store.open(QIODevice::WriteOnly | QIODevice::Truncate));
            store.write("[misc]\nmute=True\nsyncClocks=" + text + "\nresetOnLoad=" + text + "\n");
            store.close();
            read << loaded();
        }
        QCOMPARE(read.join(' '), "SrAm SRAm srAm srAm SrAm SrAm SrAm");
    }

    // The date, a blank, the time without its zone, a blank and the message, as the locale writes them.
    void logLineForm() {
        QLocale::setDefault(QLocale("en_US"));
        const QDateTime when(QDate(2024, 3, 7), QTime(14, 5, 9));
        QCOMPARE(ErrorLog::formatLine(when, "Unable to play"), "3/7/24 2:05:09 PM Unable to play");
        QLocale::setDefault(QLocale::c());
    }

    // Beside the program, else in the fallback folder (made if missing, unlike the program's), else nowhere.
    void whereLogLinesGo() {
        const QString program = m_dir.filePath("program"), fallback = m_dir.filePath("data/zentriq");
        const auto logTo = [&program](const QString& folder) {
            ErrorLog log(program, folder);
            log.logError("Unable to play tick");
            log.logError("Unable to play chime");
            return log.lastPathUsed();
        };
        QCOMPARE(logTo(fallback), fallback + "/error.log");
        QVERIFY(!QFileInfo::exists(program) && QDir(m_dir.path()).mkpath("program"));
        QCOMPARE(logTo(fallback), program + "/error.log");
        QFile written(program + "/error.log");
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(written.readAll());
        QVERIFY(text.count('\n') == 2 && text.contains(" tick\n") && text.endsWith(" chime\n"));
        QVERIFY(QDir(program).removeRecursively() && QFile(program).open(QIODevice::WriteOnly)); // a file
        QCOMPARE(logTo(fallback), fallback + "/error.log");
        QCOMPARE(logTo(program + "/below"), QString());
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
