#include "TestBoard.h"
#include "clock/clsClock.h"
#include "core/BoardSelection.h"
#include "core/RepaintScheduler.h"
#include "display/CanvasWidget.h"
#include "ui/CanvasInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRubberBand>
#include <QStandardPaths>
#include <QTest>
#include <memory>

namespace {
// Positions are given in pixels; the board works in twips, 15 to a pixel.
constexpr float tw = 15.f;

QString selectionOf(const ClockCollection& clocks) {
    QString s;
    for (int i = 0; i < clocks.clockCount(); ++i)
        s += clocks.clock(i).selected() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

void setSelection(ClockCollection& clocks, const QString& mask) {
    for (int i = 0; i < clocks.clockCount(); ++i)
        clocks.clock(i).setSelected(mask[i] == QLatin1Char('1'));
}

// A key as the X server delivers it: the physical keycode with whatever the layout makes of it.
void pressNativeKey(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods, quint32 scanCode,
                    const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, mods, scanCode, 0, 0, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, scanCode, 0, 0, text);
    QApplication::sendEvent(w, &release);
}
} // namespace

class TstCanvasInput : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void clickOnStartStartsClockAndClearsSelection_data();
    void clickOnStartStartsClockAndClearsSelection();
    void dragUnselectedClockMovesItAlone();
    void dragSelectedClockMovesTheSelection();
    void rubberBandSelectsByCentres_data();
    void rubberBandSelectsByCentres();
    void clickSelects_data();
    void clickSelects();
    void otherButtonsDragNothing_data();
    void otherButtonsDragNothing();
    void firstDragStepAfterLoadIsIgnored();
    void doubleClickOpensTheClock();
    void digitSelectsGroup_data();
    void digitSelectsGroup();
    void modifiedDigitAssignsGroup_data();
    void modifiedDigitAssignsGroup();
    void keypadDigitsDoNothing_data();
    void keypadDigitsDoNothing();
    void backquoteClearsSelection();
    void deleteKey();

private:
    // Clocks A, B, C at pixel centres (200, 100), (400, 100), (200, 300).
    void addThreeClocks();
    QPointF pixelCentre(int i) const;
    QPoint at(int i) const { return pixelCentre(i).toPoint(); }
    // Left-button move with the button held, as Qt reports it while dragging.
    void dragTo(QPoint p) { QTest::mouseMove(canvas.get(), p); }

    std::unique_ptr<TestBoard> board;
    std::unique_ptr<RepaintScheduler> repaint;
    std::unique_ptr<CanvasWidget> canvas;
    std::unique_ptr<BoardSelection> selection;
    std::unique_ptr<CanvasInput> input;
    QList<int> opened;
};

void TstCanvasInput::init() {
    board = std::make_unique<TestBoard>();
    repaint = std::make_unique<RepaintScheduler>();
    canvas = std::make_unique<CanvasWidget>(board->clocks, board->canvas);
    selection = std::make_unique<BoardSelection>(board->clocks);
    input = std::make_unique<CanvasInput>(*canvas, *selection, *repaint);
    canvas->setInput(input.get());
    opened.clear();
    input->setShowSetForm([this](int index) { opened << index; });
    canvas->resize(800, 600);
    canvas->show();
    QVERIFY(QTest::qWaitForWindowExposed(canvas.get()));
}

void TstCanvasInput::cleanup() {
    input.reset();
    canvas.reset();
    selection.reset();
    repaint.reset();
    board.reset();
}

void TstCanvasInput::addThreeClocks() {
    const QPoint centres[] = {{200, 100}, {400, 100}, {200, 300}};
    for (const QPoint& p : centres) {
        clsClock& c = board->add(60);
        c.setPurpose(QString(QChar(u'A' + board->clocks.clockCount() - 1)));
        c.setPosition(float(p.x()) * tw, float(p.y()) * tw);
    }
}

QPointF TstCanvasInput::pixelCentre(int i) const {
    const clsClock& c = board->clocks.clock(i);
    return {c.myX() / tw, c.myY() / tw};
}

void TstCanvasInput::clickOnStartStartsClockAndClearsSelection_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("started");
    QTest::newRow("left") << Qt::LeftButton << true;
    QTest::newRow("right does not operate buttons") << Qt::RightButton << false;
}

void TstCanvasInput::clickOnStartStartsClockAndClearsSelection() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, started);
    addThreeClocks();
    setSelection(board->clocks, QStringLiteral("111"));
    // Clock A's start button spans x 236.7..267.7 and y 83.3..97.3 pixels.
    QTest::mouseClick(canvas.get(), button, {}, QPoint(250, 90));
    QCOMPARE(board->clocks.clock(0).active(), started);
    QVERIFY(!board->clocks.clock(1).active());
    QCOMPARE(input->hitIndex(), -1);
    QCOMPARE(selectionOf(board->clocks), QStringLiteral("000"));
}

void TstCanvasInput::dragUnselectedClockMovesItAlone() {
    addThreeClocks();
    setSelection(board->clocks, QStringLiteral("011"));
    const QPoint start = at(0);
    QTest::mousePress(canvas.get(), Qt::LeftButton, {}, start);
    dragTo(start + QPoint(10, 5));
    dragTo(start + QPoint(20, 30));
    QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, start + QPoint(20, 30));
    QCOMPARE(pixelCentre(0), QPointF(220, 130));
    QCOMPARE(pixelCentre(1), QPointF(400, 100));
    QCOMPARE(pixelCentre(2), QPointF(200, 300));
    QCOMPARE(selectionOf(board->clocks), QStringLiteral("011"));
}

void TstCanvasInput::dragSelectedClockMovesTheSelection() {
    addThreeClocks();
    setSelection(board->clocks, QStringLiteral("101"));
    const QPoint start = at(2);
    QTest::mousePress(canvas.get(), Qt::LeftButton, {}, start);
    dragTo(start + QPoint(-7, 4));
    dragTo(start + QPoint(-50, 40));
    QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, start + QPoint(-50, 40));
    QCOMPARE(pixelCentre(0), QPointF(150, 140));
    QCOMPARE(pixelCentre(1), QPointF(400, 100));
    QCOMPARE(pixelCentre(2), QPointF(150, 340));
    QCOMPARE(selectionOf(board->clocks), QStringLiteral("101"));
}

void TstCanvasInput::rubberBandSelectsByCentres_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QString>("expected");
    // Around the centres of A and B; C's box reaches up to y 283 but its centre is at 300.
    QTest::newRow("top-left to bottom-right") << QPoint(150, 50) << QPoint(450, 290) << "110";
    QTest::newRow("bottom-right to top-left") << QPoint(450, 290) << QPoint(150, 50) << "110";
    QTest::newRow("edges through the centres") << QPoint(400, 300) << QPoint(200, 100) << "111";
    QTest::newRow("over boxes but no centre") << QPoint(170, 80) << QPoint(199, 120) << "000";
}

void TstCanvasInput::rubberBandSelectsByCentres() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QString, expected);
    addThreeClocks();
    setSelection(board->clocks, QStringLiteral("001"));
    // Start on empty canvas, well away from every box.
    const QPoint anchor(600, 500);
    QTest::mousePress(canvas.get(), Qt::LeftButton, {}, anchor);
    QVERIFY(!input->rubberBand()->isVisible());
    dragTo(QPoint(590, 480));
    QVERIFY(input->rubberBand()->isVisible());
    QCOMPARE(input->rubberBand()->geometry(), QRect(590, 480, 10, 20));
    // The rubber band's anchor is the press; redo it from the row's corner.
    QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, QPoint(590, 480));
    QVERIFY(!input->rubberBand()->isVisible());

    setSelection(board->clocks, QStringLiteral("001"));
    QTest::mousePress(canvas.get(), Qt::LeftButton, {}, from);
    dragTo((from + to) / 2);
    dragTo(to);
    QTest::mouseRelease(canvas.get(), Qt::LeftButton, Qt::ShiftModifier, to); // modifiers do not matter
    QCOMPARE(selectionOf(board->clocks), expected);
    QVERIFY(!input->rubberBand()->isVisible());
    QVERIFY(!input->selectBoxVisible());
}

void TstCanvasInput::clickSelects_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("clicked");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain click replaces") << "101" << 1 << Qt::KeyboardModifiers() << "010";
    QTest::newRow("shift adds") << "100" << 1 << Qt::KeyboardModifiers(Qt::ShiftModifier) << "110";
    QTest::newRow("ctrl adds") << "100" << 2 << Qt::KeyboardModifiers(Qt::ControlModifier) << "101";
    QTest::newRow("alt adds") << "001" << 0 << Qt::KeyboardModifiers(Qt::AltModifier) << "101";
    QTest::newRow("shift on a selected clock keeps it")
        << "100" << 0 << Qt::KeyboardModifiers(Qt::ShiftModifier) << "100";
    QTest::newRow("click on empty canvas clears") << "111" << -1 << Qt::KeyboardModifiers() << "000";
    QTest::newRow("shift-click on empty canvas clears too")
        << "111" << -1 << Qt::KeyboardModifiers(Qt::ShiftModifier) << "000";
}

void TstCanvasInput::clickSelects() {
    QFETCH(QString, before);
    QFETCH(int, clicked);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(QString, expected);
    addThreeClocks();
    setSelection(board->clocks, before);
    const QPoint p = clicked < 0 ? QPoint(600, 500) : at(clicked);
    QTest::mouseClick(canvas.get(), Qt::LeftButton, mods, p);
    QCOMPARE(selectionOf(board->clocks), expected);
    QCOMPARE(input->hitIndex(), clicked);
}

void TstCanvasInput::otherButtonsDragNothing_data() {
    QTest::addColumn<int>("pressedOn"); // -1: empty canvas
    QTest::addColumn<bool>("withLeftToo");
    QTest::addColumn<QString>("expected");
    QTest::newRow("right drag on a clock selects it like a click") << 0 << false << "100";
    QTest::newRow("right drag on empty canvas") << -1 << false << "000";
    QTest::newRow("left and right held on a clock") << 0 << true << "100";
}

void TstCanvasInput::otherButtonsDragNothing() {
    QFETCH(int, pressedOn);
    QFETCH(bool, withLeftToo);
    QFETCH(QString, expected);
    addThreeClocks();
    setSelection(board->clocks, QStringLiteral("011"));
    const QPoint start = pressedOn < 0 ? QPoint(600, 500) : at(pressedOn);
    if (withLeftToo)
        QTest::mousePress(canvas.get(), Qt::LeftButton, {}, start);
    QTest::mousePress(canvas.get(), Qt::RightButton, {}, start);
    dragTo(start + QPoint(-40, 30));
    dragTo(start + QPoint(-80, 60));
    QVERIFY(!input->rubberBand()->isVisible());
    QTest::mouseRelease(canvas.get(), Qt::RightButton, {}, start + QPoint(-80, 60));
    if (withLeftToo)
        QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, start + QPoint(-80, 60));
    QCOMPARE(pixelCentre(0), QPointF(200, 100));
    QCOMPARE(pixelCentre(1), QPointF(400, 100));
    QCOMPARE(pixelCentre(2), QPointF(200, 300));
    QCOMPARE(selectionOf(board->clocks), expected);
}

void TstCanvasInput::firstDragStepAfterLoadIsIgnored() {
    addThreeClocks();
    board->clocks.setDragArmed(false); // what loading a file does
    QTest::mousePress(canvas.get(), Qt::LeftButton, {}, at(1));
    dragTo(QPoint(430, 100)); // dropped
    QCOMPARE(pixelCentre(1), QPointF(400, 100));
    dragTo(QPoint(440, 110));
    QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, QPoint(440, 110));
    QCOMPARE(pixelCentre(1), QPointF(410, 110));

    // Later drags move from their very first step.
    QTest::mousePress(canvas.get(), Qt::LeftButton, {}, QPoint(410, 110));
    dragTo(QPoint(420, 110));
    QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, QPoint(420, 110));
    QCOMPARE(pixelCentre(1), QPointF(420, 110));
}

void TstCanvasInput::doubleClickOpensTheClock() {
    addThreeClocks();
    // As the platform reports it: press, release, double click, release.
    QTest::mouseClick(canvas.get(), Qt::LeftButton, {}, at(2));
    QTest::mouseDClick(canvas.get(), Qt::LeftButton, {}, at(2));
    QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, at(2));
    QCOMPARE(opened, QList<int>{2});
    QCOMPARE(selectionOf(board->clocks), QStringLiteral("001"));

    QTest::mouseClick(canvas.get(), Qt::LeftButton, {}, QPoint(600, 500));
    QTest::mouseDClick(canvas.get(), Qt::LeftButton, {}, QPoint(600, 500));
    QTest::mouseRelease(canvas.get(), Qt::LeftButton, {}, QPoint(600, 500));
    QCOMPARE(opened, QList<int>{2});
}

void TstCanvasInput::digitSelectsGroup_data() {
    QTest::addColumn<int>("digit");
    QTest::addColumn<bool>("native");
    QTest::addColumn<QString>("expected");
    // Groups of A, B, C: 0, none, 5.
    QTest::newRow("0") << 0 << false << "100";
    QTest::newRow("0 from the keyboard") << 0 << true << "100";
    QTest::newRow("5 from the keyboard") << 5 << true << "001";
    QTest::newRow("empty group 7 deselects all") << 7 << false << "000";
}

void TstCanvasInput::digitSelectsGroup() {
    QFETCH(int, digit);
    QFETCH(bool, native);
    QFETCH(QString, expected);
    addThreeClocks();
    board->clocks.clock(0).setGroupNum(0);
    board->clocks.clock(2).setGroupNum(5);
    setSelection(board->clocks, QStringLiteral("111"));
    const auto key = Qt::Key(Qt::Key_0 + digit);
    if (native)
        pressNativeKey(canvas.get(), key, {}, quint32(digit == 0 ? 19 : 9 + digit), QString::number(digit));
    else
        QTest::keyClick(canvas.get(), key);
    QCOMPARE(selectionOf(board->clocks), expected);
}

void TstCanvasInput::modifiedDigitAssignsGroup_data() {
    QTest::addColumn<QString>("selected");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<quint32>("scanCode");
    QTest::addColumn<QList<int>>("groups");
    QTest::addColumn<float>("boxLeft");
    // Shift+5 arrives as "%" on a US layout: only the physical key says it is 5.
    QTest::newRow("shift+5, nothing selected")
        << "000" << Qt::Key_Percent << Qt::KeyboardModifiers(Qt::ShiftModifier) << 14u
        << QList<int>{5, -1, -1} << 3800.f;
    QTest::newRow("shift+5, B and C selected")
        << "011" << Qt::Key_Percent << Qt::KeyboardModifiers(Qt::ShiftModifier) << 14u << QList<int>{5, 5, 5}
        << 2300.f;
    QTest::newRow("ctrl+5, nothing selected")
        << "000" << Qt::Key_5 << Qt::KeyboardModifiers(Qt::ControlModifier) << 0u << QList<int>{5, -1, -1}
        << 3800.f;
    QTest::newRow("alt+5, C selected") << "001" << Qt::Key_5 << Qt::KeyboardModifiers(Qt::AltModifier) << 0u
                                       << QList<int>{5, -1, 5} << 2300.f;
}

void TstCanvasInput::modifiedDigitAssignsGroup() {
    QFETCH(QString, selected);
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(quint32, scanCode);
    QFETCH(QList<int>, groups);
    QFETCH(float, boxLeft);
    addThreeClocks();
    board->options.setChecked(Option::ViewBounds, false);
    board->clocks.clock(0).setGroupNum(5);
    board->clocks.computeGroupBounds();
    board->clocks.clock(0).move(1500, 0); // moved while the boxes were hidden: group 5's box is stale
    setSelection(board->clocks, selected);

    if (scanCode)
        pressNativeKey(canvas.get(), key, mods, scanCode, QStringLiteral("%"));
    else
        QTest::keyClick(canvas.get(), key, mods);

    for (int i = 0; i < 3; ++i)
        QCOMPARE(int(board->clocks.clock(i).groupNum()), groups[i]);
    QCOMPARE(selectionOf(board->clocks), selected);
    QCOMPARE(pixelCentre(0), QPointF(300, 100));
    // Recomputed although the boxes are hidden: A now starts at 4000, C at 2500.
    QCOMPARE(board->clocks.groups().group(5).left, boxLeft);
}

void TstCanvasInput::keypadDigitsDoNothing_data() {
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<quint32>("scanCode");
    QTest::newRow("keypad 5") << Qt::KeyboardModifiers(Qt::KeypadModifier) << 84u;
    QTest::newRow("shift+keypad 5") << Qt::KeyboardModifiers(Qt::KeypadModifier | Qt::ShiftModifier) << 84u;
    QTest::newRow("keypad 5, no physical key") << Qt::KeyboardModifiers(Qt::KeypadModifier) << 0u;
}

void TstCanvasInput::keypadDigitsDoNothing() {
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(quint32, scanCode);
    addThreeClocks();
    board->clocks.clock(2).setGroupNum(5);
    setSelection(board->clocks, QStringLiteral("110"));
    if (scanCode)
        pressNativeKey(canvas.get(), Qt::Key_5, mods, scanCode, QStringLiteral("5"));
    else
        QTest::keyClick(canvas.get(), Qt::Key_5, mods);
    QCOMPARE(selectionOf(board->clocks), QStringLiteral("110"));
    QCOMPARE(int(board->clocks.clock(0).groupNum()), -1);
    QCOMPARE(int(board->clocks.clock(1).groupNum()), -1);
}

void TstCanvasInput::backquoteClearsSelection() {
    addThreeClocks();
    setSelection(board->clocks, QStringLiteral("111"));
    pressNativeKey(canvas.get(), Qt::Key_QuoteLeft, {}, 49, QStringLiteral("`"));
    QCOMPARE(selectionOf(board->clocks), QStringLiteral("000"));

    setSelection(board->clocks, QStringLiteral("101"));
    QTest::keyClick(canvas.get(), Qt::Key_AsciiTilde, Qt::ShiftModifier);
    QCOMPARE(selectionOf(board->clocks), QStringLiteral("000"));
}

void TstCanvasInput::deleteKey() {
    addThreeClocks();
    QTest::keyClick(canvas.get(), Qt::Key_Delete);
    QCOMPARE(board->clocks.clockCount(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(board->clocks.clock(i).purpose(), QString(QChar(u'A' + i)));

    setSelection(board->clocks, QStringLiteral("010"));
    QTest::keyClick(canvas.get(), Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(board->clocks.clockCount(), 2);
    QCOMPARE(board->clocks.clock(0).purpose(), QStringLiteral("A"));
    QCOMPARE(board->clocks.clock(1).purpose(), QStringLiteral("C"));
}

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TstCanvasInput test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_canvasinput.moc"
