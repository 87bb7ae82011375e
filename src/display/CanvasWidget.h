#pragma once
#include "clock/ClockGeometry.h"
#include "display/BoardRenderer.h"
#include "display/ClockLooks.h"
#include "display/PictureStore.h"
#include "display/QPainterCanvas.h"

#include <QImage>
#include <QWidget>

class ClockCollection;
class CanvasSize;
class ICanvasInput;

// The board's drawing surface. Coordinates on it are twips, 15 to a logical pixel. A paint draws the board
// into a back buffer of device pixels, within the area asked for, and shows it when it is complete.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    CanvasWidget(ClockCollection& clocks, CanvasSize& size, QWidget* parent = nullptr);
    void setInput(ICanvasInput* input) { m_input = input; }
    // Asks for a picture of the whole board.
    void repaintWhole();
    // Asks for a picture of just the clocks whose look changed since they were last asked for; of the
    // whole board when more than faces changed.
    void repaintChangedClocks();
    // The area the last paint drew, in logical pixels.
    const QRegion& lastPaintedArea() const { return m_lastPainted; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ClockCollection& m_clocks;
    CanvasSize& m_size;
    ICanvasInput* m_input = nullptr;
    PictureStore m_pictures;
    BoardRenderer m_renderer;
    QPainterCanvas m_canvas; // one for every paint, so what it has made ready stays ready
    QImage m_backBuffer;
    ClockLooks m_looks;
    QRegion m_lastPainted;
};
