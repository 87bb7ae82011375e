#include "TestBoard.h"
#include "ui/DBusNotifier.h"

// Without a session bus the notifier does nothing but say so, once.
class TestDBusNotifier : public QObject {
    Q_OBJECT

private slots:
    void noBusIsLoggedOnce() {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/zentriq-test-bus");
        MemoryErrorLog log;
        DBusNotifier notifier(log, QString());
        int shown = 0;
        for (int i = 0; i < 3; ++i)
            notifier.show("Pasta", "Completed at 14:32", 0, [&shown](quint32) { ++shown; });
        QCoreApplication::processEvents();
        QCOMPARE(shown, 0);
        QCOMPARE(log.lines.size(), 1);
        QVERIFY2(log.lines.first().startsWith("Unable to show desktop notifications: no session bus"),
                 qPrintable(log.lines.first()));
    }
};

QTEST_GUILESS_MAIN(TestDBusNotifier)
#include "tst_dbusnotifier.moc"
