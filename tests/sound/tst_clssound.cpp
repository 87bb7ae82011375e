#include "TestBoard.h"
#include "clock/clsClock.h"
#include "sound/clsSound.h"

#include <QStandardPaths>
#include <QTest>
#include <cmath>

namespace {

// A device whose play calls can be made to fail and recover, as a disconnected output would.
class FlakySound final : public ISoundService {
public:
    bool playWorks = true;
    int plays = 0;
    bool openDevice(QString*) override { return true; }
    BufferId loadBuffer(const QString&, QString*) override { return 0; }
    bool playTick(BufferId, double) override { return count(); }
    bool playOnce(BufferId, double) override { return count(); }
    void endPass() override {}

private:
    bool count() {
        plays += playWorks ? 1 : 0;
        return playWorks;
    }
};

const QString kInit = QStringLiteral("Unable to initSounds");
const QString kPlayTick = QStringLiteral("Unable to play tick");
const QString kTickVolume = QStringLiteral("Unable to set volume on ticks");
const QString kPlayChime = QStringLiteral("Unable to play chime");
const QString kAlarmVolume = QStringLiteral("Unable to set volume on alarms");

// Runs every clock of the board in synchronised mode until none is active, at most `limit` passes.
int runToEnd(TestBoard& board, int limit = 1000) {
    board.options.setChecked(Option::Sync, true);
    int passes = 0;
    auto anyActive = [&board] {
        for (int i = 0; i < board.clocks.clockCount(); ++i)
            if (board.clocks.clock(i).active())
                return true;
        return false;
    };
    while (anyActive() && passes < limit) {
        board.clocks.tickAll(1);
        ++passes;
    }
    return passes;
}

} // namespace

class TestClsSound : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void volumeMapping_data() {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("millibels");
        QTest::newRow("full") << 100 << 0;
        QTest::newRow("half") << 50 << -2000;
        QTest::newRow("one") << 1 << -3960;
        QTest::newRow("zero") << 0 << -4000;
        QTest::newRow("above full") << 120 << 0;
        QTest::newRow("negative") << -5 << -4000;
        QTest::newRow("far below") << -2147483647 << -4000;
        QTest::newRow("far above") << 2147483647 << 0;
    }
    void volumeMapping() {
        QFETCH(int, percent);
        QFETCH(int, millibels);
        QCOMPARE(clsSound::percentToMillibels(percent), millibels);

        // What the device is asked for is the gain of that attenuation.
        TestBoard board;
        clsSound sound(board.sound, board.log, TestBoard::folder());
        sound.initSounds();
        sound.setVolume(percent);
        sound.playTick();
        QCOMPARE(board.sound.plays.size(), 1);
        QVERIFY(qAbs(board.sound.plays[0].gain - std::pow(10.0, millibels / 2000.0)) < 1e-9);
        QVERIFY(board.log.lines.isEmpty());
    }

    void missingTickFileStillCountsAndLogsOnce() {
        TestBoard board;
        board.sound.available = {TestBoard::alarmPath()};
        clsClock& clock = board.add(20);
        clock.toggleStartStop();
        const int passes = runToEnd(board);

        QCOMPARE(passes, 20);
        QVERIFY(!clock.active());
        QCOMPARE(clock.currentTime(), 0.0);
        QCOMPARE(board.sound.count(true), 0);
        QCOMPARE(board.sound.count(false), 1); // the alarm still sounds
        QCOMPARE(board.log.lines, QStringList({kInit, kTickVolume, kPlayTick}));
    }

    void failureLoggedAgainOnlyAfterASuccess() {
        FlakySound device;
        MemoryErrorLog log;
        clsSound sound(device, log, TestBoard::folder());
        sound.initSounds();
        sound.setAlarmFile(TestBoard::alarmPath());

        device.playWorks = false;
        for (int i = 0; i < 5; ++i) {
            sound.playTick();
            sound.playChime();
        }
        QCOMPARE(log.lines, QStringList({kPlayTick, kPlayChime}));

        device.playWorks = true; // the tick recovers, the chime is not tried meanwhile
        sound.playTick();
        device.playWorks = false;
        sound.playTick();
        sound.playChime();
        QCOMPARE(log.lines, QStringList({kPlayTick, kPlayChime, kPlayTick}));
    }

    void missingAlarmAfterAGoodOneKeepsTheGoodSound() {
        TestBoard board;
        const QString other = TestBoard::folder() + QStringLiteral("/sounds/alarms/buzzer.wav");
        const QString missing = TestBoard::folder() + QStringLiteral("/sounds/alarms/gone.wav");
        board.sound.available << other;
        clsSound sound(board.sound, board.log, TestBoard::folder());
        sound.initSounds();

        sound.setAlarmFile(other);
        sound.setAlarmFile(missing);
        QCOMPARE(sound.alarmFile(), missing);
        sound.playChime();
        QCOMPARE(board.sound.plays.size(), 1);
        QCOMPARE(board.sound.plays[0].path, other);

        sound.setAlarmFile(QString());
        QCOMPARE(sound.alarmFile(), QString());
        sound.playChime();
        QCOMPARE(board.sound.plays.size(), 2);
        QCOMPARE(board.sound.plays[1].path, other);
        QVERIFY(board.log.lines.isEmpty());
    }

    void noAlarmAtAllIsLoggedAtTheChime() {
        TestBoard board;
        board.sound.available = {TestBoard::tickPath()};
        clsSound sound(board.sound, board.log, TestBoard::folder());
        sound.initSounds();
        sound.setAlarmFile(TestBoard::alarmPath()); // missing: nothing logged yet
        QVERIFY(board.log.lines.isEmpty());
        sound.applyAlarmVolume();
        sound.playChime();
        QCOMPARE(board.log.lines, QStringList({kAlarmVolume, kPlayChime}));
    }

    void alarmVolumeIsHeardAtCompletion_data() {
        QTest::addColumn<int>("percent");
        QTest::addColumn<double>("gain");
        QTest::newRow("full") << 100 << 1.0;
        QTest::newRow("half") << 50 << 0.1;
        QTest::newRow("zero") << 0 << 0.01;
    }
    void alarmVolumeIsHeardAtCompletion() {
        QFETCH(int, percent);
        QFETCH(double, gain);
        TestBoard board;
        clsClock& clock = board.add(2);
        clock.setAlarmVolume(qint16(percent));
        QCOMPARE(clock.alarmVolume(), qint16(percent));
        clock.toggleStartStop();
        runToEnd(board);
        QCOMPARE(board.sound.count(false), 1);
        for (const FakeSoundService::Play& p : board.sound.plays)
            if (!p.tick)
                QVERIFY(qAbs(p.gain - gain) < 1e-9);
    }

    void alarmSoundsOnlyWhenAllowed_data() {
        QTest::addColumn<bool>("alarmActive");
        QTest::addColumn<bool>("soundActive");
        QTest::addColumn<bool>("mute");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("alarms");
        QTest::newRow("all on") << true << true << false << 3 << 1;
        QTest::newRow("alarm disabled") << false << true << false << 3 << 0;
        QTest::newRow("sound off") << true << false << false << 0 << 0;
        QTest::newRow("muted") << true << true << true << 0 << 0;
    }
    void alarmSoundsOnlyWhenAllowed() {
        QFETCH(bool, alarmActive);
        QFETCH(bool, soundActive);
        QFETCH(bool, mute);
        QFETCH(int, ticks);
        QFETCH(int, alarms);
        TestBoard board;
        board.options.setChecked(Option::Mute, mute);
        clsClock& clock = board.add(3);
        clock.setAlarmActive(alarmActive);
        clock.setSoundActive(soundActive);
        clock.toggleStartStop();
        runToEnd(board);
        QVERIFY(!clock.active());
        QCOMPARE(board.sound.count(true), ticks);
        QCOMPARE(board.sound.count(false), alarms);
        QVERIFY(board.log.lines.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestClsSound)
#include "tst_clssound.moc"
