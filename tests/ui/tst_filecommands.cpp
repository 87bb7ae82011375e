// The File menu's board commands on the real window, answered through the real message boxes and file dialog.
#include "TestWindow.h"
#include "core/IEventPump.h"
#include "core/ISettingsStore.h"
#include "core/MainLoop.h"
#include "core/Program.h"
#include "core/ProgramSettings.h"
#include "ui/FileCommands.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
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
// (cancelled when empty), a group name prompt with "Oven"; other messages are noted and closed.
struct Responder : QObject {
    QMessageBox::StandardButton choice = QMessageBox::Cancel;
    QString file;
    QStringList seen; // "question", "file", "message: <text>"
    QTimer timer;
    Responder() {
        timer.setInterval(5);
        connect(&timer, &QTimer::timeout, this, [this] { answer(); });
        timer.start();
    }
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (box->standardButtons() & QMessageBox::Discard) {
                seen << QStringLiteral("question");
                box->button(choice)->click();
            } else {
                seen << QStringLiteral("message: ") + box->text();
                box->accept();
            }
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            seen << QStringLiteral("file");
            if (file.isEmpty()) {
                dialog->reject();
            } else {
                dialog->selectFile(file);
                static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept checks the name
            }
        } else if (auto* prompt = qobject_cast<QInputDialog*>(modal)) {
            prompt->setTextValue(QStringLiteral("Oven"));
            prompt->accept();
        }
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

    // Close, Open, Quit and the close button, with and without changes, for each answer.
    void guardedCommands_data() {
        textRows({"command", "outcome"}, // what was asked, then clocks left and whether the program ends
                 {{"close, unchanged", "mnuFileDelete saved cancel", "| clocks 0"},
                  {"close, cancel", "mnuFileDelete changed cancel", "question | clocks 3"},
                  {"close, discard", "mnuFileDelete changed discard", "question | clocks 0"},
                  {"close, save fails", "mnuFileDelete changed save", "question file message | clocks 3"},
                  {"open, unchanged, dialog cancelled", "mnuOpen saved cancel", "file | clocks 3"},
                  {"open, cancel", "mnuOpen changed cancel", "question | clocks 3"},
                  {"open, discard, dialog cancelled", "mnuOpen changed discard", "question file | clocks 3"},
                  {"quit, unchanged", "mnuFileQuit saved cancel", "| clocks 3 ends"},
                  {"quit, cancel", "mnuFileQuit changed cancel", "question | clocks 3"},
                  {"quit, discard", "mnuFileQuit changed discard", "question | clocks 3 ends"},
                  {"close button, cancel", "button changed cancel", "question | clocks 3"},
                  {"close button, discard", "button changed discard", "question | clocks 3 ends"}});
    }
    void guardedCommands() {
        QFETCH(QString, command);
        QFETCH(QString, outcome);
        if (command.contains("changed"))
            p->clocks.markChanged();
        Responder responder;
        const QString choice = command.section(' ', 2);
        responder.choice = choice == "save"      ? QMessageBox::Save
                           : choice == "discard" ? QMessageBox::Discard
                                                 : QMessageBox::Cancel;
        // A save that cannot succeed, even for root: the chosen file lies below a plain file.
        QFile(p->dir.filePath("plain")).open(QIODevice::WriteOnly);
        responder.file = choice == "save" ? p->dir.filePath("plain/board.clk") : QString();
        if (command.startsWith("button"))
            p->form.close();
        else
            p->item(command.section(' ', 0, 0))->trigger();
        QStringList seen;
        for (const QString& s : responder.seen)
            seen << s.section(':', 0, 0);
        const QString result = QStringLiteral("%1 | clocks %2%3")
                                   .arg(seen.join(' '))
                                   .arg(p->clocks.clockCount())
                                   .arg(p->store.writes > 0 ? " ends" : ""); // options go out on the way out
        QCOMPARE(result.trimmed(), outcome);
        if (outcome.endsWith("ends")) { // once the program ends, a second request is the same request
            p->program.quitProgram();
            QCOMPARE(p->store.writes, 1);
        }
        QVERIFY(p->form.isVisible());
    }

    // What makes the board differ from its file, and what does not.
    void changes_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("changed");
        QTest::newRow("add a clock") << "mnuFileAddClock" << true;
        QTest::newRow("delete selected") << "mnuSelDelete" << true;
        QTest::newRow("delete with none selected") << "mnuSelDelete none" << false;
        QTest::newRow("assign to a group") << "mnuAssignGroup3" << true;
        QTest::newRow("rename a group") << "mnuGroupName2" << true;
        QTest::newRow("arrange from the menu") << "mnuViewArrange" << true;
        QTest::newRow("drag") << "drag" << true;
        QTest::newRow("drag straight down") << "drag down" << true;
        QTest::newRow("click without moving") << "click" << false;
        QTest::newRow("start selected") << "mnuSelStart" << false;
        QTest::newRow("reset selected") << "mnuSelReset" << false;
        QTest::newRow("mute") << "mnuSoundMute" << false;
        QTest::newRow("resize while arranging") << "resize" << false;
    }
    void changes() {
        QFETCH(QString, action);
        QFETCH(bool, changed);
        Responder responder;
        p->clocks.clock(0).setSelected(!action.endsWith(QLatin1String("none")));
        CanvasWidget* canvas = p->form.canvas();
        if (action.startsWith(QLatin1String("drag"))) {
            const int dx = action == QLatin1String("drag") ? 1 : 0;
            QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(200, 100));
            QTest::mouseMove(canvas, QPoint(200 + 10 * dx, 105));
            QTest::mouseMove(canvas, QPoint(200 + 30 * dx, 130));
            QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(200 + 30 * dx, 130));
        } else if (action == QLatin1String("click")) {
            QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(200, 100));
        } else if (action == QLatin1String("resize")) {
            p->options.setChecked(Option::ViewArrange, true);
            p->form.resize(300, 400);
            QTRY_COMPARE(p->clocks.clock(2).myY(), 1750.0f);
        } else {
            p->item(action.section(' ', 0, 0))->trigger();
        }
        QCOMPARE(p->clocks.hasUnsavedChanges(), changed);
    }

    // Save As through the dialog, then Open of that file: the caption names it, the board is unchanged,
    // and a stored place the screen cannot show is pulled onto it.
    void saveAsThenOpen() {
        Responder responder;
        responder.file = p->dir.filePath("board.clk");
        p->clocks.groups().setName(6, QStringLiteral("Team A"));
        p->item("mnuSaveAs")->trigger();
        QCOMPARE(responder.seen, QStringList({"file", "message: Clocks saved to " + responder.file}));
        QCOMPARE(p->form.windowTitle(), QStringLiteral("Zentriq"));
        QFile saved(responder.file);
        QVERIFY(saved.open(QIODevice::Append));
        saved.write("formleft=-99999\r\nformwidth=9999999\r\n"); // the later lines win
        saved.close();

        p->item("mnuFileDelete")->trigger();
        responder.seen.clear();
        p->item("mnuOpen")->trigger();
        QCOMPARE(responder.seen, QStringList({"file"}));
        QCOMPARE(p->form.windowTitle(), QStringLiteral("Zentriq - ") + responder.file);
        QCOMPARE(p->clocks.clockCount(), 3);
        QCOMPARE(p->item("mnuGroupName6")->text(), QStringLiteral("Group 6 : Team A"));
        const QRect screen = p->form.screen()->availableGeometry();
        QTRY_VERIFY(screen.contains(p->form.frameGeometry()));
        QCOMPARE(p->form.frameGeometry().width(), screen.width());

        // Save goes to the open file without asking; a file without group names resets their captions.
        p->clocks.markChanged();
        responder.seen.clear();
        p->item("mnuSave")->trigger();
        QCOMPARE(responder.seen, QStringList({"message: Clocks saved to " + responder.file}));
        responder.file = p->dir.filePath("plain.clk");
        QFile plain(responder.file);
        QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("progver=1.0.3\r\n") > 0);
        plain.close();
        p->item("mnuOpen")->trigger();
        QCOMPARE(p->item("mnuGroupName6")->text(), QStringLiteral("Group &6"));
    }

    void fitToScreens_data() {
        QTest::addColumn<QRect>("wanted");
        QTest::addColumn<QRect>("fitted");
        // Two screens side by side: 1000 x 700 and, to its right, 800 x 600.
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

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TestFileCommands test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_filecommands.moc"
