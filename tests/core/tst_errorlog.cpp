#include "core/ErrorLog.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

// Lines about failures that must not interrupt the user, and where they are written.
class TestErrorLog : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("none");
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The date, a blank, the time without its zone, a blank and the message, as the locale writes them.
    void logLineForm() {
        QLocale::setDefault(QLocale("en_US"));
        const QDateTime when(QDate(2024, 3, 7), QTime(14, 5, 9));
        QCOMPARE(ErrorLog::formatLine(when, "Unable to play"), "3/7/24 2:05:09 PM Unable to play");
        QCOMPARE(ErrorLog::timeFormatWithoutZone("HH:mm 'at' t"), "HH:mm 'at'"); // quoted text stays whole
        QLocale::setDefault(QLocale::c());
    }

    // Beside the program, else in the fallback folder (made if missing, unlike the program's), else nowhere.
    // A named pipe in the log's place is not waited on and, like a device, sends the line to the fallback
    // folder.
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
        const QString text = QString::fromUtf8(contents(program + "/error.log"));
        QVERIFY(text.count('\n') == 2 && text.contains(" tick\n") && text.endsWith(" chime\n"));
        QVERIFY(QFile::remove(program + "/error.log") &&
                mkfifo(qPrintable(program + "/error.log"), 0600) == 0);
        QCOMPARE(logTo(fallback), fallback + "/error.log");
        QVERIFY(QFile::remove(program + "/error.log") && QFile::link("/dev/null", program + "/error.log"));
        QCOMPARE(logTo(fallback), fallback + "/error.log"); // nor a device
        QVERIFY(QDir(program).removeRecursively() && QFile(program).open(QIODevice::WriteOnly)); // a file
        QCOMPARE(logTo(fallback), fallback + "/error.log");
        QCOMPARE(logTo(program + "/below"), QString());
    }

    // A line that would take the log past 1 MiB moves it to error.log.1, replacing the one before.
    void rotation_data() {
        QTest::addColumn<int>("room"); // bytes left before the limit, less the line's length
        QTest::newRow("the line fits exactly") << 0;
        QTest::newRow("one byte too many") << -1;
    }
    void rotation() {
        QFETCH(int, room);
        QLocale::setDefault(QLocale::c()); // lines of one length
        const QTemporaryDir dir;
        const QString log = dir.filePath("error.log");
        const QByteArray line =
            (ErrorLog::formatLine(QDateTime::currentDateTime(), "Unable to play tick") + '\n').toUtf8();
        const QByteArray before(ErrorLog::maxBytes - line.size() - room, 'x');
        QFile file(log), older(log + ".1");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size() &&
                older.open(QIODevice::WriteOnly));
        file.close();
        older.close();
        ErrorLog(dir.path(), QString()).logError("Unable to play tick");
        if (room >= 0) {
            QCOMPARE(contents(log).size(), ErrorLog::maxBytes);
            QCOMPARE(contents(log + ".1"), QByteArray());
        } else {
            QCOMPARE(contents(log), line);
            QCOMPARE(contents(log + ".1"), before);
        }
    }
};

QTEST_GUILESS_MAIN(TestErrorLog)
#include "tst_errorlog.moc"
