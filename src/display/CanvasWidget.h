#pragma once
#include "clock/ClockGeometry.h"
#include "display/BoardRenderer.h"
#include "display/PictureStore.h"
#include "display/QPainterCanvas.h"

#include <QImage>
#include <QWidget>

class ClockCollection;
class CanvasSize;
class ICanvasInput;

// The board's drawing surface. Coordinates on it are twips, 15 to a logical pixel. Every paint draws the
// whole board into a back buffer of device pixels and shows it when it is complete.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    CanvasWidget(ClockCollection& clocks, CanvasSize& size, QWidget* parent = nullptr);
    void setInput(ICanvasInput* input) { m_input = input; }

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
};
