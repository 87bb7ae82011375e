#include "TestBoard.h"
#include "clock/clsClock.h"
#include "core/RepaintScheduler.h"
#include "display/CanvasWidget.h"
#include "ui/MainMenu.h"
#include "ui/MenuOptions.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

namespace {
// The build tree's root, where the pictures and the icon are copied beside the program.
QString builtProgramFolder() {
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).absolutePath();
}

// A board whose options are the window's menu items, so both sides see the same check marks.
struct Window {
    FakeTimeSource time;
    MenuOptions options;
    CanvasSize canvas;
    ScriptedRandom random;
    FakeSoundService sound;
    MemoryErrorLog log;
    ClockEnvironment env{time, options, canvas, random, sound, log, builtProgramFolder()};
    ClockCollection clocks{env};
    RepaintScheduler repaint;
    frmMain form{clocks, options, canvas, repaint};

    QAction* item(const char* name) const { return form.menu().action(QString::fromLatin1(name)); }
    void addStacked(int count) {
        for (int i = 0; i < count; ++i)
            clocks.appendClock()->setPosition(5000, 3000);
    }
};
} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Window> w;

    void showAndWait() {
        w->form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w->form));
    }

private slots:
    void init() { w = std::make_unique<Window>(); }
    void cleanup() { w.reset(); }

    void startsAtItsClientSizeWithCanvasUnderTheMenus() {
        showAndWait();
        QCOMPARE(w->form.windowTitle(), QStringLiteral("Zentriq"));
        QCOMPARE(w->form.centralWidget()->size(), QSize(678, 410));
        QVERIFY(!w->form.windowIcon().isNull());
        const QPoint canvasOrigin = w->form.canvas()->mapTo(&w->form, QPoint(0, 0));
        QCOMPARE(canvasOrigin, QPoint(0, w->form.menuBar()->geometry().bottom() + 1));
    }

    // The canvas takes the window's outer size, so it reaches past the visible area.
    void canvasTakesTheOuterSize() {
        showAndWait();
        w->form.resize(900, 700);
        QTRY_COMPARE(w->form.canvas()->geometry(), QRect(QPoint(0, 0), w->form.frameGeometry().size()));
        QVERIFY(w->form.canvas()->height() > w->form.centralWidget()->height());
        QCOMPARE(w->canvas.canvasWidth(), w->form.frameGeometry().width() * 15.0);
        QCOMPARE(w->canvas.canvasHeight(), w->form.frameGeometry().height() * 15.0);
    }

    void resizeArrangesOnlyWhenChecked_data() {
        QTest::addColumn<bool>("arrange");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("firstOfSecondRow"); // -1: all six in one row
        // 700 px = 10500 twips: lefts 400 + 2100 k fit up to 9500, five to a row.
        QTest::newRow("narrow, arranged") << true << 700 << 5;
        QTest::newRow("wide, arranged") << true << 1200 << -1;
        QTest::newRow("narrow, left alone") << false << 700 << -2;
    }

    void resizeArrangesOnlyWhenChecked() {
        QFETCH(bool, arrange);
        QFETCH(int, width);
        QFETCH(int, firstOfSecondRow);
        showAndWait();
        w->options.setChecked(Option::ViewArrange, arrange);
        w->addStacked(6);
        w->form.resize(width, 500);
        QTRY_COMPARE(w->form.width(), width);
        QVERIFY(w->form.frameGeometry().width() >= width);
        if (firstOfSecondRow == -2) {
            for (int i = 0; i < 6; ++i)
                QCOMPARE(w->clocks.clock(i).myX(), 5000.0f);
            return;
        }
        QCOMPARE(w->clocks.clock(0).myX(), 900.0f);
        QCOMPARE(w->clocks.clock(0).myY(), 650.0f);
        for (int i = 1; i < 6; ++i) {
            const bool newRow = i == firstOfSecondRow;
            QCOMPARE(w->clocks.clock(i).myX(), newRow ? 900.0f : w->clocks.clock(i - 1).myX() + 2100.0f);
            QCOMPARE(w->clocks.clock(i).myY() > w->clocks.clock(i - 1).myY(), newRow);
        }
    }

    void arrangeItemChecksAndArrangesOrUnchecksOnly() {
        w->form.resize(1200, 500);
        w->addStacked(2);
        w->item("mnuViewArrange")->trigger();
        QVERIFY(w->options.isChecked(Option::ViewArrange));
        QCOMPARE(w->clocks.clock(1).myX(), 900.0f + 2100.0f);

        w->clocks.clock(1).setPosition(7000, 4000);
        w->item("mnuViewArrange")->trigger();
        QVERIFY(!w->options.isChecked(Option::ViewArrange));
        QCOMPARE(w->clocks.clock(1).myX(), 7000.0f);
        QCOMPARE(w->clocks.clock(1).myY(), 4000.0f);
    }

    void boundsItemRecomputesOnlyWhenItChecks() {
        w->addStacked(1);
        w->clocks.clock(0).setGroupNum(2);
        w->clocks.computeGroupBounds();
        const float leftBefore = w->clocks.groups().group(2).left;

        w->clocks.clock(0).setPosition(8000, 3000);
        w->item("mnuViewBounds")->trigger();
        QVERIFY(!w->options.isChecked(Option::ViewBounds));
        QCOMPARE(w->clocks.groups().group(2).left, leftBefore);

        w->item("mnuViewBounds")->trigger();
        QVERIFY(w->options.isChecked(Option::ViewBounds));
        QCOMPARE(w->clocks.groups().group(2).left, 8000.0f - 500.0f - 200.0f);
    }

    void addClockArrangesBeforeTheDialogOpens_data() {
        QTest::addColumn<bool>("arrange");
        QTest::newRow("arranged") << true;
        QTest::newRow("centred") << false;
    }

    void addClockArrangesBeforeTheDialogOpens() {
        QFETCH(bool, arrange);
        w->form.resize(1200, 500);
        w->options.setChecked(Option::ViewArrange, arrange);
        w->addStacked(1);
        QList<int> opened;
        QPointF whereAtOpening;
        connect(&w->form, &frmMain::setFormRequested, this, [&](int index) {
            opened << index;
            whereAtOpening = QPointF(w->clocks.clock(index).myX(), w->clocks.clock(index).myY());
        });
        w->repaint.takeDue(0);
        w->item("mnuFileAddClock")->trigger();
        QCOMPARE(w->clocks.clockCount(), 2);
        QCOMPARE(opened, QList<int>{1});
        if (arrange)
            QCOMPARE(whereAtOpening, QPointF(900 + 2100, 650));
        else
            QCOMPARE(whereAtOpening, QPointF(w->canvas.canvasWidth() / 2, w->canvas.canvasHeight() / 2));
        QVERIFY(w->repaint.pending());
    }

    void closeClocksEmptiesTheBoardWithoutAsking() {
        showAndWait();
        w->addStacked(3);
        w->clocks.clock(0).setGroupNum(4);
        w->clocks.groups().setName(4, QStringLiteral("Oven"));
        w->form.menu().setGroupMenuCaption(4, QStringLiteral("4 - Oven"));
        w->form.setWindowTitle(QStringLiteral("kitchen.clk"));
        w->options.setChecked(Option::ViewArrange, true);
        w->options.setChecked(Option::ViewBounds, false);
        const QRect geometry = w->form.geometry();
        QSignalSpy closed(&w->form, &frmMain::clocksClosed);

        w->item("mnuFileDelete")->trigger();
        QCOMPARE(w->clocks.clockCount(), 0);
        QCOMPARE(w->clocks.groups().name(4), QString());
        QVERIFY(!w->clocks.groups().group(4).inUse);
        QCOMPARE(w->item("mnuGroupName4")->text(), QStringLiteral("Group &4"));
        QCOMPARE(w->form.windowTitle(), QStringLiteral("Zentriq"));
        QCOMPARE(closed.count(), 1);
        QVERIFY(w->options.isChecked(Option::ViewArrange));
        QVERIFY(!w->options.isChecked(Option::ViewBounds));
        QCOMPARE(w->form.geometry(), geometry);
    }

    void aboutBoxShowsVersionAndAddress() {
        showAndWait();
        QString text, title;
        QMessageBox::StandardButtons buttons;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            text = box->text();
            title = box->windowTitle();
            buttons = box->standardButtons();
            box->accept();
        });
        w->item("mnuAbout")->trigger();
        const QStringList lines = text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("Zentriq v") + QStringLiteral(ZENTRIQ_VERSION));
        QVERIFY(lines[1].startsWith(QLatin1String("https://")));
        QCOMPARE(title, QStringLiteral("Zentriq"));
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    // The close button and File > Quit take the same way out; the window itself never closes.
    void closeButtonAndQuitAskTheProgramToEnd() {
        showAndWait();
        QSignalSpy quit(&w->form, &frmMain::quitRequested);
        QVERIFY(!w->form.close());
        QVERIFY(w->form.isVisible());
        QCOMPARE(quit.count(), 1);
        w->item("mnuFileQuit")->trigger();
        QCOMPARE(quit.count(), 2);
    }
};

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TestFrmMain test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_frmmain.moc"
