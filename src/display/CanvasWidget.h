#pragma once
#include <QWidget>

class ClockCollection;
class CanvasSize;

// The board's drawing surface. Coordinates on it are twips, 15 to a logical pixel.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr double twipsPerPixel = 15.0;

    CanvasWidget(ClockCollection& clocks, CanvasSize& size, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    ClockCollection& m_clocks;
    CanvasSize& m_size;
};
