#include "ui/frmMain.h"

#include "display/CanvasWidget.h"
#include "ui/MenuOptions.h"

#include <QCloseEvent>
#include <QMenuBar>

frmMain::frmMain(ClockCollection& clocks, MenuOptions& options, CanvasSize& canvasSize, RepaintScheduler& repaint,
                 QWidget* parent)
    : QMainWindow(parent), m_clocks(clocks), m_options(options), m_repaint(repaint),
      m_canvas(new CanvasWidget(clocks, canvasSize, this)) {
    setWindowTitle(QStringLiteral("Zentriq"));
    setCentralWidget(m_canvas);
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* quit = file->addAction(QStringLiteral("&Quit"));
    connect(quit, &QAction::triggered, this, &frmMain::quitRequested);
    // 10170 x 6150 twips of client area.
    resize(678, 410 + menuBar()->sizeHint().height());
}

void frmMain::present() {
    m_canvas->update();
}

void frmMain::closeEvent(QCloseEvent* event) {
    // The window never closes half-way: the program ends through its one way out.
    event->ignore();
    emit quitRequested();
}
