#pragma once
#include "FakeSoundService.h"
#include "FakeTimeSource.h"
#include "clock/clsClock.h"
#include "core/CanvasSize.h"
#include "core/ClockCollection.h"
#include "core/IErrorLog.h"
#include "core/IRandom.h"
#include "core/OptionSet.h"

#include <QStandardPaths>
#include <QStringList>
#include <QTest>
#include <cmath>
#include <deque>
#include <initializer_list>

// A table of text columns, a row a line: its name, then its values.
inline void textRows(std::initializer_list<const char*> columns, std::initializer_list<QStringList> rows) {
    for (const char* column : columns)
        QTest::addColumn<QString>(column);
    for (const QStringList& row : rows) {
        QTestData& data = QTest::newRow(qPrintable(row[0]));
        for (int i = 1; i < row.size(); ++i)
            data << row[i];
    }
}

// Random numbers the test chooses; after the queue runs out, a slow walk through [0, 1).
class ScriptedRandom final : public IRandom {
public:
    std::deque<double> queue;
    double next() override {
        if (queue.empty())
            return m_step = std::fmod(m_step + 0.0001234, 1.0);
        const double r = queue.front();
        queue.pop_front();
        return r;
    }

private:
    double m_step = 0.0;
};

class MemoryErrorLog final : public IErrorLog {
public:
    QStringList lines;
    void logError(const QString& message) override { lines << message; }
};

// A board on fakes: time, options, a 9000 x 6000 canvas, random numbers, and sound and log unless given.
struct TestBoard {
    static QString folder() { return QStringLiteral("/zentriq-test"); }
    static QString tickPath() { return folder() + QStringLiteral("/sounds/tick.wav"); }
    static QString alarmPath() { return folder() + QStringLiteral("/sounds/alarms/wristWatch.wav"); }

    FakeTimeSource time;
    OptionSet options;
    CanvasSize canvas{9000, 6000};
    ScriptedRandom random;
    FakeSoundService sound;
    MemoryErrorLog log;
    ClockEnvironment env;
    ClockCollection clocks{env};

    TestBoard() : TestBoard(sound, log, folder()) { sound.available = {tickPath(), alarmPath()}; }
    TestBoard(ISoundService& s, IErrorLog& l, const QString& programFolder)
        : env{time, options, canvas, random, s, l, programFolder} {}
    // Appends a count-down clock of the given duration, stopped and refilled.
    clsClock& add(double duration) {
        clsClock& c = *clocks.appendClock();
        c.setDuration(duration);
        c.resetClock();
        return c;
    }
    // "2>1 50 3u | s0 r1 t3": adds clocks of 2 s (linked to clock 1), 50 s and 3 s (counting up), then
    // presses start/stop on clock 0, resets clock 1 and counts 3 seconds at once.
    void play(const QString& script) {
        const QStringList defs = script.section('|', 0, 0).split(' ', Qt::SkipEmptyParts);
        for (const QString& def : defs)
            add(def.section('>', 0, 0).remove('u').toDouble()).setCountType(def.endsWith('u') ? 1 : 0);
        for (int i = 0; i < defs.size(); ++i)
            if (defs[i].contains('>'))
                clocks.clock(i).setLinkID(clocks.clock(defs[i].section('>', 1).toInt()).ID());
        for (const QString& step : script.section('|', 1).split(' ', Qt::SkipEmptyParts)) {
            const int n = step.mid(1).toInt();
            const char op = step[0].toLatin1();
            if (op == 's')
                clocks.clock(n).toggleStartStop();
            else if (op == 'r')
                clocks.clock(n).resetClock();
            else
                clocks.tickAll(qint16(n));
        }
    }
    // Every clock in board order, as "run 2" or "stop 3", joined by ", ".
    QString states() const {
        QStringList out;
        for (int i = 0; i < clocks.clockCount(); ++i)
            out << QString(clocks.clock(i).active() ? "run %1" : "stop %1")
                       .arg(clocks.clock(i).currentTime());
        return out.join(QStringLiteral(", "));
    }
    // One character a clock in board order: "101" = clocks 0 and 2 selected.
    QString selection() const {
        QString s;
        for (int i = 0; i < clocks.clockCount(); ++i)
            s += clocks.clock(i).selected() ? '1' : '0';
        return s;
    }
    void select(const QString& mask) {
        for (int i = 0; i < clocks.clockCount(); ++i)
            clocks.clock(i).setSelected(i < mask.size() && mask[i] == '1');
    }
};
