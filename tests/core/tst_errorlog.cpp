#include "core/ErrorLog.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Lines about failures that must not interrupt the user, and where they are written.
class TestErrorLog : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

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

QTEST_GUILESS_MAIN(TestErrorLog)
#include "tst_errorlog.moc"
