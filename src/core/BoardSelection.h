#pragma once
#include <QRectF>

class ClockCollection;
class clsClock;

// What the mouse, the keyboard and the Selection menu do to the clocks of the board: finding the clock
// under a point, operating its buttons, choosing clocks, dragging them and acting on the chosen ones.
// A point belongs to the clock drawn on top there (the highest index whose face covers it), so a click
// acts on the clock the user sees; the walks over the selection go in board order.
class BoardSelection {
public:
    explicit BoardSelection(ClockCollection& clocks);
    const ClockCollection& clocks() const { return m_clocks; }

    // Index of the clock drawn on top at the point, whatever part of its face is there, or -1.
    int topClockAt(float px, float py) const;
    // That clock's index when the point lies in its box (edges count as inside), or -1.
    int hitTest(float px, float py) const;
    // That clock's button at the point: 0 start/stop, 1 reset, -1 none.
    int buttonAt(float px, float py) const;
    // Runs that clock's button when the point lies on one; at most one clock acts.
    // Returns that clock's index, or -1.
    int clickClockButtons(float px, float py);

    // The rectangle replaces the selection: chosen are exactly the clocks whose centre lies in it,
    // edges included. A rectangle that is not shown chooses nothing.
    void selectInBox(const QRectF& box, bool visible);
    // Adds the clock to the selection, after emptying it when exclusive. Never deselects the clock.
    void clickSelect(int index, bool exclusive);
    // Moves the grabbed clock alone, or every selected clock when the grabbed one is selected.
    void dragClock(int index, float dx, float dy);
    int countSelected() const;

    void selectGroup(int group);
    void assignSelectedToGroup(int group);
    void selectAll(bool selected);
    void resetSelected();
    void startStopSelected(bool active);
    void deleteSelected();

private:
    template <typename Fn> void forEachSelected(Fn fn);

    ClockCollection& m_clocks;
};
