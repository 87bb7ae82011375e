#include "TestBoard.h"
#include "core/CompletionNotices.h"
#include "core/IDesktopNotifier.h"

namespace {
// A desktop that shows at once and reuses the id of the notification it replaces, as servers do.
class FakeNotifier final : public IDesktopNotifier {
public:
    QStringList sent; // "summary #id (replacing #n)"
    QString lastBody;
    quint32 lastId = 0;
    void show(const QString& summary, const QString& body, quint32 replaces,
              std::function<void(quint32)> shown) override {
        const quint32 id = replaces ? replaces : ++lastId;
        sent << summary + QStringLiteral(" #%1").arg(id);
        lastBody = body;
        shown(id);
    }
};
} // namespace

// What the desktop is told when clocks complete.
class TestCompletionNotices : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Scripts as TestBoard::play; names "A", "B", ... except a clock whose name is left empty ("-").
    void notices_data() {
        // The script, the names, "in view" or "option off" where so, then what was sent.
        textRows(
            {"board", "sent"},
            {{"one completion", "2 5 | s0 t2 | AB", "A #1"},
             {"no name", "2 | s0 t2 | -", "Clock #1"},
             {"a ring replaces its own notices", "1>1 2>0 | s0 t1 t1 t1 t1 | AB", "A #1, B #2, A #1, B #2"},
             {"three at once, one notice", "2 2 1u 2 | s0 s1 s2 s3 t2 | AB-D", "A, B and D #1"},
             {"together, then one of them alone replaces", "1 1 | s0 s1 t1 s1 t1 | AB", "A and B #1, B #1"},
             {"board in view", "1 | s0 t1 | A | in view", ""},
             {"option off", "1 | s0 t1 | A | option off", ""},
             {"stopped, not completed", "3 5u | s0 s1 t1 s0 t1 | AB", ""},
             {"started at zero", "0 | s0 t1 | A", ""}});
    }
    void notices() {
        QFETCH(QString, board);
        QFETCH(QString, sent);
        const QString names = board.section(" | ", 2, 2);
        const bool inView = board.endsWith("in view"), option = !board.endsWith("option off");
        TestBoard b;
        b.options.setChecked(Option::Notify, option);
        FakeNotifier desktop;
        CompletionNotices notices(
            desktop, b.options, [inView] { return inView; }, [] { return QTime(14, 32, 5); });
        b.clocks.setCompletionHandler(
            [&notices](const QVector<CompletedClock>& done) { notices.clocksCompleted(done); });
        b.play(board.section('|', 0, 0) + '|');
        for (int i = 0; i < b.clocks.clockCount(); ++i)
            b.clocks.clock(i).setPurpose(names[i] == '-' ? QString() : QString(names[i]));
        b.play('|' + board.section('|', 1, 1));
        QCOMPARE(desktop.sent.join(QStringLiteral(", ")), sent);
        if (!sent.isEmpty())
            QCOMPARE(desktop.lastBody, QStringLiteral("Completed at 14:32"));
    }
};

QTEST_GUILESS_MAIN(TestCompletionNotices)
#include "tst_completionnotices.moc"
