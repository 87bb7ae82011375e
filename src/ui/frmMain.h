#pragma once
#include "core/IPassView.h"

#include <QMainWindow>

class ClockCollection;
class CanvasSize;
class CanvasWidget;
class MenuOptions;
class RepaintScheduler;

// The main window: the canvas and the menu bar. Menus, canvas input and drawing live in classes of their own.
class frmMain final : public QMainWindow, public IPassView {
    Q_OBJECT
public:
    frmMain(ClockCollection& clocks, MenuOptions& options, CanvasSize& canvasSize, RepaintScheduler& repaint,
            QWidget* parent = nullptr);

    CanvasWidget* canvas() const { return m_canvas; }
    void present() override;

signals:
    // Closing the window or File > Quit: the program decides how to end.
    void quitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ClockCollection& m_clocks;
    MenuOptions& m_options;
    RepaintScheduler& m_repaint;
    CanvasWidget* m_canvas;
};
