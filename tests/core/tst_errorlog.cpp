#include "core/ErrorLog.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList readLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

} // namespace

class TestErrorLog : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void lineInTheUsersLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("line");
        QTest::newRow("en_US") << "en_US"
                               << "3/7/24 2:05:09 PM Unable to play chime";
        QTest::newRow("de_DE") << "de_DE"
                               << "07.03.24 14:05:09 Unable to play chime";
        QTest::newRow("fr_FR") << "fr_FR"
                               << "07/03/2024 14:05:09 Unable to play chime";
        QTest::newRow("ja_JP") << "ja_JP"
                               << QString::fromUtf8("2024/03/07 14時05分09秒 Unable to play chime");
    }
    void lineInTheUsersLocale() {
        QFETCH(QString, locale);
        QFETCH(QString, line);
        QLocale::setDefault(QLocale(locale));
        const QDateTime when(QDate(2024, 3, 7), QTime(14, 5, 9));
        QCOMPARE(ErrorLog::formatLine(when, QStringLiteral("Unable to play chime")), line);
    }

    void timeZoneIsLeftOut_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("after") << "h:mm:ss AP t"
                               << "h:mm:ss AP";
        QTest::newRow("before") << "t HH:mm:ss"
                                << "HH:mm:ss";
        QTest::newRow("long name") << "HH:mm:ss tttt"
                                   << "HH:mm:ss";
        QTest::newRow("quoted t kept") << "HH:mm:ss 'at' t"
                                       << "HH:mm:ss 'at'";
        QTest::newRow("none") << "HH:mm:ss"
                              << "HH:mm:ss";
    }
    void timeZoneIsLeftOut() {
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(ErrorLog::timeFormatWithoutZone(format), expected);
    }

    void appendsOneLinePerFailureBesideTheProgram() {
        const QString program = m_dir.filePath(QStringLiteral("program"));
        const QString fallback = m_dir.filePath(QStringLiteral("unused"));
        QVERIFY(QDir().mkpath(program));
        writeFile(QDir(program).filePath(QStringLiteral("error.log")), "earlier line\n");

        ErrorLog log(program, fallback);
        log.logError(QStringLiteral("Unable to play tick"));
        log.logError(QStringLiteral("Unable to play chime"));

        const QString path = QDir(program).filePath(QStringLiteral("error.log"));
        QCOMPARE(log.lastPathUsed(), path);
        const QStringList lines = readLines(path);
        QCOMPARE(lines.size(), 4); // the last is the empty rest after the final newline
        QCOMPARE(lines[0], QStringLiteral("earlier line"));
        QVERIFY(lines[1].endsWith(QStringLiteral(" Unable to play tick")));
        QVERIFY(lines[2].endsWith(QStringLiteral(" Unable to play chime")));
        QCOMPARE(lines[3], QString());
        QVERIFY(!QFileInfo::exists(fallback));
    }

    void fallsBackWhenTheProgramFolderCannotTakeTheLog_data() {
        QTest::addColumn<QString>("situation");
        QTest::newRow("folder is a file") << "file";
        QTest::newRow("error.log is a folder") << "logdir";
        QTest::newRow("folder missing") << "missing";
    }
    void fallsBackWhenTheProgramFolderCannotTakeTheLog() {
        QFETCH(QString, situation);
        const QString base = m_dir.filePath(situation);
        const QString program = QDir(base).filePath(QStringLiteral("program"));
        const QString fallback = QDir(base).filePath(QStringLiteral("data/zentriq"));
        QVERIFY(QDir().mkpath(base));
        if (situation == QLatin1String("file"))
            writeFile(program, "not a folder");
        if (situation == QLatin1String("logdir"))
            QVERIFY(QDir().mkpath(QDir(program).filePath(QStringLiteral("error.log"))));

        ErrorLog log(program, fallback);
        log.logError(QStringLiteral("Unable to initSounds"));

        const QString path = QDir(fallback).filePath(QStringLiteral("error.log"));
        QCOMPARE(log.lastPathUsed(), path);
        const QStringList lines = readLines(path);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].endsWith(QStringLiteral(" Unable to initSounds")));
        if (situation == QLatin1String("missing"))
            QVERIFY(!QFileInfo::exists(program)); // the program's folder is not made up
    }

    void nowhereToWriteIsIgnored() {
        const QString file = m_dir.filePath(QStringLiteral("plain"));
        writeFile(file, "x");
        ErrorLog log(file, QDir(file).filePath(QStringLiteral("below")));
        log.logError(QStringLiteral("Unable to play tick"));
        QCOMPARE(log.lastPathUsed(), QString());
    }
};

QTEST_GUILESS_MAIN(TestErrorLog)
#include "tst_errorlog.moc"
