// The File menu's board commands on the real window, answered through the real message boxes and file dialog.
#include "TestWindow.h"
#include "core/IEventPump.h"
#include "core/ISettingsStore.h"
#include "core/MainLoop.h"
#include "core/Program.h"
#include "core/ProgramSettings.h"
#include "ui/FileCommands.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>

namespace {
struct NoPump final : IEventPump {
    void dispatch(std::optional<qint64>) override {}
};
struct MemoryStore final : ISettingsStore {
    int writes = 0;
    QString read(const QString&, const QString&, const QString& fallback) const override { return fallback; }
    void write(const QString&, const QList<std::pair<QString, QString>>&) override { ++writes; }
};

// Answers every modal window that opens: the save question with `choice`, a file dialog with `file`
// (cancelled when empty); other messages are noted and closed. `seen`: "question", "file", "<message>".
struct Responder : QObject {
    QMessageBox::StandardButton choice = QMessageBox::Cancel;
    QString file;
    QStringList seen;
    QTimer timer;
    Responder() {
        connect(&timer, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                const bool question = box->standardButtons() & QMessageBox::Discard;
                seen << (question ? QStringLiteral("question") : box->text());
                question ? box->button(choice)->click() : box->accept();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                seen << QStringLiteral("file");
                dialog->selectFile(file);
                file.isEmpty() ? dialog->reject()
                               : dialog->QDialog::accept(); // QFileDialog's checks the name
            }
        });
        timer.start(5);
    }
};

// The program as main() wires it, on fakes for time, sound and the settings store; the clocks folder goes
// to a temporary one.
struct Program_ : TestWindow {
    QTemporaryDir dir;
    FileCommands files{form, clocks, interaction.groupCommands(), repaint, dir.path(), dir.filePath("user")};
    MemoryStore store;
    ProgramSettings settings{store, options};
    NoPump pump;
    MainLoop loop{clocks, time, options, pump, form, repaint};
    Program program{loop, settings};
    Responder responder;

    Program_() {
        program.setGuard(&files.files());
        QObject::connect(&form, &frmMain::quitRequested, &form, [this] { program.quitProgram(); });
    }
};
} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
    std::unique_ptr<Program_> p;

private slots:
    void init() {
        p = std::make_unique<Program_>();
        QVERIFY(p->show());
    }

    // Each guarded command asks through the real question box when the board has changed; the answers'
    // logic has tests of its own. A save that cannot succeed, even for root: its file lies below a plain
    // file.
    void guardedCommands_data() {
        textRows({"command", "outcome"}, // what was asked, then clocks left and whether the program ends
                 {{"close, discard", "mnuFileDelete changed discard", "question | clocks 0"},
                  {"close, save fails", "mnuFileDelete changed save", "question file message | clocks 3"},
                  {"open, cancel", "mnuOpen changed cancel", "question | clocks 3"},
                  {"open, unchanged", "mnuOpen saved cancel", "file | clocks 3"},
                  {"quit, unchanged", "mnuFileQuit saved cancel", "| clocks 3 ends"},
                  {"quit, cancel", "mnuFileQuit changed cancel", "question | clocks 3"},
                  {"close button, cancel", "button changed cancel", "question | clocks 3"},
                  {"close button, discard", "button changed discard", "question | clocks 3 ends"}});
    }
    void guardedCommands() {
        QFETCH(QString, command);
        QFETCH(QString, outcome);
        if (command.contains("changed"))
            p->clocks.markChanged();
        const QString choice = command.section(' ', 2);
        p->responder.choice = choice == "save"      ? QMessageBox::Save
                              : choice == "discard" ? QMessageBox::Discard
                                                    : QMessageBox::Cancel;
        QFile(p->dir.filePath("plain")).open(QIODevice::WriteOnly);
        p->responder.file = choice == "save" ? p->dir.filePath("plain/board.clk") : QString();
        command.startsWith("button") ? void(p->form.close()) : p->item(command.section(' ', 0, 0))->trigger();
        QStringList seen;
        for (const QString& s : p->responder.seen)
            seen << (s == "question" || s == "file" ? s : "message");
        const QString ends = p->store.writes > 0 ? " ends" : ""; // options go out on the way out
        QCOMPARE(QStringLiteral("%1 | clocks %2%3")
                     .arg(seen.join(' '))
                     .arg(p->clocks.clockCount())
                     .arg(ends)
                     .trimmed(),
                 outcome);
        if (outcome.endsWith("ends")) { // once the program ends, a second request is the same request
            p->program.quitProgram();
            QCOMPARE(p->store.writes, 1);
        }
        QVERIFY(p->form.isVisible());
    }

    // Save As, then Open of that file: the caption names it, the group menu shows its names, and a stored
    // place the screen cannot show is pulled onto it. Save goes to the open file without asking; a file
    // without group names resets their captions.
    void saveAsThenOpen() {
        Responder& r = p->responder;
        r.file = p->dir.filePath("board.clk");
        p->clocks.groups().setName(6, QStringLiteral("Team A"));
        p->item("mnuSaveAs")->trigger();
        QFile saved(r.file);
        QVERIFY(saved.open(QIODevice::Append));
        saved.write("formleft=-99999\r\nformwidth=9999999\r\n"); // the later lines win
        saved.close();
        p->item("mnuFileDelete")->trigger();
        p->item("mnuOpen")->trigger();
        QCOMPARE(p->form.windowTitle() + ' ' + p->item("mnuGroupName6")->text(),
                 "Zentriq - " + r.file + " Group 6 : Team A");
        QCOMPARE(p->clocks.clockCount(), 3);
        const QRect screen = p->form.screen()->availableGeometry();
        QTRY_VERIFY(screen.contains(p->form.frameGeometry()));
        QCOMPARE(p->form.frameGeometry().width(), screen.width());
        p->clocks.markChanged();
        p->item("mnuSave")->trigger();
        QCOMPARE(r.seen,
                 QStringList({"file", "Clocks saved to " + r.file, "file", "Clocks saved to " + r.file}));
        QFile plain(r.file = p->dir.filePath("plain.clk"));
        QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("progver=1.0.3\r\n") > 0);
        plain.close();
        p->item("mnuOpen")->trigger();
        QCOMPARE(p->item("mnuGroupName6")->text(), QStringLiteral("Group &6"));
    }

    // Two screens side by side: 1000 x 700 and, to its right, 800 x 600; the window at least 200 x 150.
    void fitToScreens_data() {
        QTest::addColumn<QRect>("wanted");
        QTest::addColumn<QRect>("fitted");
        QTest::newRow("fits") << QRect(100, 50, 600, 400) << QRect(100, 50, 600, 400);
        QTest::newRow("far left") << QRect(-5000, 50, 600, 400) << QRect(0, 50, 600, 400);
        QTest::newRow("far below") << QRect(100, 9000, 600, 400) << QRect(100, 300, 600, 400);
        QTest::newRow("too large") << QRect(0, 0, 5000, 5000) << QRect(0, 0, 1000, 700);
        QTest::newRow("mostly on the second") << QRect(900, 100, 400, 300) << QRect(1000, 100, 400, 300);
        QTest::newRow("off every screen, right") << QRect(4000, 100, 400, 300) << QRect(600, 100, 400, 300);
        QTest::newRow("too small") << QRect(10, 10, 20, 5) << QRect(10, 10, 200, 150);
    }
    void fitToScreens() {
        QFETCH(QRect, wanted);
        QFETCH(QRect, fitted);
        const QList<QRect> screens{QRect(0, 0, 1000, 700), QRect(1000, 0, 800, 600)};
        QCOMPARE(MainWindowBoard::fitToScreens(wanted, screens, QSize(200, 150)), fitted);
    }
};

WIDGET_TEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
