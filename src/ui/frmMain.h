#pragma once
#include "core/Arranger.h"
#include "core/IAddClockHooks.h"
#include "core/IPassView.h"

#include <QMainWindow>

class ClockCollection;
class CanvasSize;
class CanvasWidget;
class MainMenu;
class MenuOptions;
class RepaintScheduler;

// The main window: the canvas and the menu bar. Menus, canvas input and drawing live in classes of their own;
// the window runs the commands that only touch the board as a whole.
class frmMain final : public QMainWindow, public IPassView, public IAddClockHooks {
    Q_OBJECT
public:
    static const QString defaultCaption;
    static const QString webAddress;

    frmMain(ClockCollection& clocks, MenuOptions& options, CanvasSize& canvasSize, RepaintScheduler& repaint,
            QWidget* parent = nullptr);
    ~frmMain() override;

    CanvasWidget* canvas() const { return m_canvas; }
    MainMenu& menu() const { return *m_menu; }
    void present() override;
    void presentChangedClocks() override;

    // IAddClockHooks
    void arrangeAfterAdd() override;
    void showSetForm(int index) override;

    // "&Close clocks" once the file commands let it go on: empties the board; check marks, size and
    // position stay.
    void closeClocks();
    // Whether the user has the board in front of them: the window shown, not minimised, and the
    // program's window (this one or its dialog) active.
    bool boardInView() const;
    // Brings the window to the front and gives it the keyboard, as a click on a notification asks.
    void bringToFront();
    // The About box, modal.
    void showAbout();
    static QString aboutText();

signals:
    // Closing the window or File > Quit: the program decides how to end.
    void quitRequested();
    // A clock's Set Clock dialog should open.
    void setFormRequested(int index);
    // The board was emptied by "&Close clocks"; it no longer belongs to any clock file.
    void clocksClosed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The window's size with its frame, as far as the window manager has told it.
    QSize outerSize() const;
    void placeCanvas();
    // The frame arrives after the first resize, without one of its own: size the canvas again then.
    void placeCanvasIfFrameChanged();
    void addClock();
    void arrangeToggled(bool checked);
    void boundsToggled(bool checked);

    ClockCollection& m_clocks;
    MenuOptions& m_options;
    CanvasSize& m_canvasSize;
    RepaintScheduler& m_repaint;
    Arranger m_arranger;
    CanvasWidget* m_canvas;
    MainMenu* m_menu;
    QSize m_placedOuter;
};
