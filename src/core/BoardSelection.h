#pragma once
#include <QRectF>

class ClockCollection;
class clsClock;

// What the mouse, the keyboard and the Selection menu do to the clocks of the board: finding the clock
// under a point, operating its buttons, choosing clocks, dragging them and acting on the chosen ones.
// Every walk goes in board order, so where several clocks could answer the lowest index wins.
class BoardSelection {
public:
    explicit BoardSelection(ClockCollection& clocks);

    // Index of the first clock whose box holds the point (edges count as inside), or -1.
    int hitTest(float px, float py) const;
    // Runs the button under the point of the first clock that has one there; at most one clock.
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
