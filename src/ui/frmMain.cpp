#include "ui/frmMain.h"

#include "core/CanvasSize.h"
#include "core/ClockCollection.h"
#include "core/RepaintScheduler.h"
#include "core/ZentriqVersion.h"
#include "display/CanvasWidget.h"
#include "ui/MainMenu.h"
#include "ui/MenuOptions.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMenuBar>
#include <QMessageBox>
#include <QResizeEvent>
#include <QWindow>

const QString frmMain::defaultCaption = QStringLiteral("Zentriq");
const QString frmMain::webAddress = QStringLiteral("https://zentriq.example.org");

namespace {
constexpr int clientWidthPx = 678;  // 10170 twips
constexpr int clientHeightPx = 410; // 6150 twips
} // namespace

frmMain::frmMain(ClockCollection& clocks, MenuOptions& options, CanvasSize& canvasSize,
                 RepaintScheduler& repaint, QWidget* parent)
    : QMainWindow(parent), m_clocks(clocks), m_options(options), m_canvasSize(canvasSize), m_repaint(repaint),
      m_arranger(clocks, canvasSize) {
    setWindowTitle(defaultCaption);
    const QString icon =
        QDir(clocks.environment().programFolder).filePath(QStringLiteral("icons/zentriq.png"));
    if (QFileInfo::exists(icon))
        setWindowIcon(QIcon(icon));

    // The canvas is larger than the area that shows it, so it sits unmanaged in a plain holder that clips it.
    auto* holder = new QWidget(this);
    setCentralWidget(holder);
    m_canvas = new CanvasWidget(clocks, canvasSize, holder);
    m_canvas->setFocus();

    m_menu = new MainMenu(*menuBar(), options, this);
    connect(m_menu->mnuFileAddClock, &QAction::triggered, this, &frmMain::addClock);
    connect(m_menu->mnuFileQuit, &QAction::triggered, this, &frmMain::quitRequested);
    connect(m_menu->mnuAbout, &QAction::triggered, this, &frmMain::showAbout);
    // triggered, not toggled: only the user's choice arranges; a loaded file only sets the mark.
    connect(options.action(Option::ViewArrange), &QAction::triggered, this, &frmMain::arrangeToggled);
    connect(options.action(Option::ViewBounds), &QAction::triggered, this, &frmMain::boundsToggled);

    m_clocks.setAddClockHooks(this);
    resize(clientWidthPx, clientHeightPx + menuBar()->heightForWidth(clientWidthPx));
    placeCanvas();
}

frmMain::~frmMain() {
    m_clocks.setAddClockHooks(nullptr);
}

void frmMain::present() {
    m_canvas->repaintWhole();
}

void frmMain::presentChangedClocks() {
    m_canvas->repaintChangedClocks();
}

void frmMain::arrangeAfterAdd() {
    m_arranger.autoArrange();
}

void frmMain::showSetForm(int index) {
    emit setFormRequested(index);
}

void frmMain::addClock() {
    if (m_clocks.addClock() >= 0)
        m_repaint.request();
}

void frmMain::arrangeToggled(bool checked) {
    if (checked) {
        m_arranger.autoArrange();
        m_clocks.markChanged();
        m_repaint.request();
    }
}

void frmMain::boundsToggled(bool checked) {
    if (checked)
        m_clocks.computeGroupBounds();
    // Boxes appear or go away with the next picture.
    m_repaint.request();
}

void frmMain::closeClocks() {
    m_clocks.removeAllClocks();
    m_menu->resetGroupMenuCaptions();
    setWindowTitle(defaultCaption);
    emit clocksClosed();
    m_repaint.request();
}

bool frmMain::boardInView() const {
    return isVisible() && !isMinimized() && QApplication::activeWindow() != nullptr;
}

void frmMain::bringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

QString frmMain::aboutText() {
    return QStringLiteral("Zentriq v") + QString::fromLatin1(ZentriqVersion::text) + QLatin1Char('\n') +
           webAddress;
}

void frmMain::showAbout() {
    QMessageBox box(QMessageBox::NoIcon, defaultCaption, aboutText(), QMessageBox::Ok, this);
    box.exec();
}

QSize frmMain::outerSize() const {
    // The native window learns the frame's size when the window manager announces it; the widget's
    // own copy is renewed only by the next move or resize.
    if (const QWindow* native = windowHandle())
        return native->frameGeometry().size();
    return frameGeometry().size();
}

void frmMain::placeCanvas() {
    // The canvas takes the window's outer size, frame and menu bar included, so it reaches past the
    // visible area; the arrangement measures its rows against that width.
    const QSize outer = outerSize();
    m_placedOuter = outer;
    m_canvas->setGeometry(0, 0, outer.width(), outer.height());
    // The canvas reports its own size when it next gets a resize event; a hidden one gets it late.
    m_canvasSize.setSize(outer.width() * ClockGeometry::twipsPerPixel,
                         outer.height() * ClockGeometry::twipsPerPixel);
    if (m_options.isChecked(Option::ViewArrange))
        m_arranger.autoArrange();
    m_repaint.request();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeCanvas();
}

void frmMain::placeCanvasIfFrameChanged() {
    if (outerSize() != m_placedOuter)
        placeCanvas();
}

void frmMain::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    placeCanvasIfFrameChanged();
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        placeCanvasIfFrameChanged();
}

bool frmMain::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    // A window manager that neither moves nor resizes the window has told its frame by the first paint
    // after showing it, or at the latest when it hands it the focus.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::UpdateRequest)
        placeCanvasIfFrameChanged();
    return handled;
}

void frmMain::closeEvent(QCloseEvent* event) {
    // The window never closes half-way: the program ends through its one way out.
    event->ignore();
    emit quitRequested();
}
