#include "core/BootTimeSource.h"
#include "core/QtEventPump.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <climits>

// The loop's dispatch step on Qt's events: it sleeps until an event comes or the wake-up is due, and no
// further; a wake-up already due does not wait at all.
class TestQtEventPump : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // What timers that fired leave behind (their own deletion) would wake the next dispatch at once.
    static void drain() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        }
    }

    // An object that asked to be deleted later is gone after the dispatch. A second dispatch, with nothing
    // due, waits for an event 400 ms on: the first one's wake-up does not linger.
    void dispatch_data() {
        QTest::addColumn<int>("wakeIn");  // ms from now; INT_MIN for none
        QTest::addColumn<int>("eventIn"); // -1 for none
        QTest::addColumn<int>("from");    // the first dispatch returns within [from, to] ms
        QTest::addColumn<int>("to");
        QTest::newRow("due already") << -5 << -1 << 0 << 90;
        QTest::newRow("waits for the wake-up") << 100 << -1 << 95 << 400;
        QTest::newRow("an event comes first") << 300 << 50 << 45 << 250;
        QTest::newRow("no wake-up: waits for an event") << INT_MIN << 150 << 145 << 500;
    }
    void dispatch() {
        QFETCH(int, wakeIn);
        QFETCH(int, eventIn);
        QFETCH(int, from);
        QFETCH(int, to);
        BootTimeSource time;
        QtEventPump pump(time);
        drain();
        QObject row; // the row's timers end with it
        // An object that asks to be deleted later, by the event or before a dispatch that does not wait.
        QPointer<QObject> doomed = new QObject(this);
        if (eventIn >= 0)
            QTimer::singleShot(eventIn, Qt::PreciseTimer, &row, [doomed] { doomed->deleteLater(); });
        else if (wakeIn <= 0)
            doomed->deleteLater();
        QElapsedTimer clock;
        clock.start();
        pump.dispatch(wakeIn == INT_MIN ? std::nullopt : std::optional<qint64>(time.nowMs() + wakeIn));
        const qint64 first = clock.restart();
        QVERIFY2(first >= from && first <= to, qPrintable(QString::number(first)));
        QCOMPARE(doomed.isNull(), eventIn >= 0 || wakeIn <= 0);
        drain();
        QTimer::singleShot(400, Qt::PreciseTimer, &row, [] {});
        pump.dispatch(std::nullopt);
        QVERIFY2(clock.elapsed() >= 395, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestQtEventPump)
#include "tst_qteventpump.moc"
