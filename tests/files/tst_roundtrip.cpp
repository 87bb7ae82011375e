#include "FakeBoardWindow.h"
#include "FakeFilePrompts.h"
#include "TestBoard.h"
#include "files/ClockFileReader.h"
#include "files/ClockFileWriter.h"

#include "files/ClockFileFormat.h"

#include <QRandomGenerator>

namespace {
// Letters a name may hold: separators of the format, non-ASCII letters, a character outside the BMP.
const QString kLetters =
    QStringLiteral("aZ09 :|=<>/\\\"'.,-_\u00E9\u00DF\u00F8\u4E2D\u0416") + QChar(0xD83D) + QChar(0xDE00);

QString randomText(QRandomGenerator& r, int maxLength) {
    QString text;
    const int length = int(r.bounded(maxLength + 1));
    while (text.size() < length) {
        const int i = int(r.bounded(kLetters.size()));
        if (kLetters[i].isHighSurrogate())
            text += kLetters.mid(i, 2);
        else if (!kLetters[i].isLowSurrogate())
            text += kLetters[i];
    }
    // A line's trailing blanks are not part of it.
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

// Values a user or a file can give: whole or with a short decimal fraction, of either sign.
double randomReal(QRandomGenerator& r) {
    static const double divisors[] = {1, 2, 4, 10, 100, 1000};
    const double whole = double(r.bounded(2000000)) - 1000000;
    return whole / divisors[r.bounded(6)];
}

float randomPosition(QRandomGenerator& r) {
    return float(double(r.bounded(200000)) - 100000) / float(1 << r.bounded(3));
}

qint16 randomInt16(QRandomGenerator& r) {
    return qint16(int(r.bounded(65536)) - 32768);
}

void fill(TestBoard& b, QRandomGenerator& r) {
    b.options.setChecked(Option::Mute, r.bounded(2));
    b.options.setChecked(Option::ViewBounds, r.bounded(2));
    b.options.setChecked(Option::ViewArrange, r.bounded(2));
    for (int g = 0; g < GroupTable::groupCount; ++g)
        b.clocks.groups().setName(g, r.bounded(3) ? QString() : randomText(r, 12));
    const int count = int(r.bounded(9));
    for (int i = 0; i < count; ++i) {
        clsClock& c = *b.clocks.appendClock();
        c.setStoredId(r.bounded(4) ? double(r.bounded(1, 100000)) : randomReal(r));
        c.setGroupNum(r.bounded(2) ? qint16(int(r.bounded(11)) - 1) : randomInt16(r));
        c.setLinkID(r.bounded(2) ? 0 : randomReal(r));
        c.setCountType(r.bounded(3) ? qint16(r.bounded(2)) : randomInt16(r));
        c.setPurpose(randomText(r, 30) +
                     (r.bounded(4) ? "" : "\nline")); // a line break is written as a blank
        c.setSoundActive(r.bounded(2));
        c.setAlarmActive(r.bounded(2));
        c.setDuration(randomReal(r));
        c.setCurrentTime(randomReal(r));
        c.setPosition(randomPosition(r), randomPosition(r));
        c.setAlarmFile(r.bounded(5) ? QStringLiteral("/s/") + randomText(r, 20) + QStringLiteral(".wav")
                                    : QString());
        for (int band = 0; band < clsClock::bandCount; ++band)
            c.setStoredTickVol(band, r.bounded(2) ? qint16(r.bounded(101)) : randomInt16(r));
        c.setAlarmVolume(randomInt16(r));
        c.setActive(r.bounded(2));
        c.setSelected(r.bounded(2));
    }
}

// Everything a file keeps of a board, at full precision.
QString state(const TestBoard& b) {
    QStringList s;
    for (const Option o : {Option::Mute, Option::ViewBounds, Option::ViewArrange})
        s << QString::number(b.options.isChecked(o));
    for (int g = 0; g < GroupTable::groupCount; ++g)
        s << b.clocks.groups().name(g);
    const auto n = [](double v) { return QString::number(v, 'g', 17); };
    for (int i = 0; i < b.clocks.clockCount(); ++i) {
        const clsClock& c = b.clocks.clock(i);
        s << n(c.ID()) << QString::number(c.groupNum()) << n(c.linkID()) << QString::number(c.countType())
          << ClockFileFormat::oneLine(c.purpose()) << QString::number(c.soundActive())
          << QString::number(c.alarmActive()) << n(c.duration()) << n(c.currentTime()) << n(c.myX())
          << n(c.myY()) << c.alarmFile() << QString::number(c.alarmVolume());
        for (int band = 0; band < clsClock::bandCount; ++band)
            s << QString::number(c.tickVol(band));
    }
    return s.join('\n');
}
} // namespace

// Thousands of random boards written and read back: the same clocks, every one stopped and unselected,
// and a second save identical to the first. The exact written form is in tst_clockfilereader.
class TestRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void randomBoards() {
        QRandomGenerator r(20240611);
        FakeFilePrompts prompts;
        for (int round = 0; round < 2000; ++round) {
            TestBoard original;
            fill(original, r);
            FakeBoardWindow window;
            window.place = {randomPosition(r), randomPosition(r), randomPosition(r), randomPosition(r)};
            const QByteArray file = ClockFileWriter::write(original.clocks, window.placement());

            TestBoard copy;
            copy.options.setChecked(Option::Mute, !original.options.isChecked(Option::Mute));
            FakeBoardWindow copyWindow;
            ReadFailure failure;
            QVERIFY2(ClockFileReader(copy.clocks, copyWindow, prompts).read(file, &failure),
                     qPrintable(failure.reason));
            QCOMPARE(state(copy), state(original));
            QCOMPARE(copyWindow.placement().left, window.placement().left);
            QCOMPARE(copyWindow.placement().height, window.placement().height);
            for (int i = 0; i < copy.clocks.clockCount(); ++i)
                QVERIFY(!copy.clocks.clock(i).active() && !copy.clocks.clock(i).selected());
            QCOMPARE(ClockFileWriter::write(copy.clocks, copyWindow.placement()),
                     QByteArray(file).replace("   active:True\r\n", "   active:False\r\n"));
        }
        QVERIFY(prompts.messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
