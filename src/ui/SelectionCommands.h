#pragma once
#include <QObject>

class BoardSelection;
class RepaintScheduler;

// The "Selection" menu: every command acts on the selected clocks and asks for a repaint.
class SelectionCommands final : public QObject {
    Q_OBJECT
public:
    SelectionCommands(BoardSelection& selection, RepaintScheduler& repaint, QObject* parent = nullptr);

public slots:
    void selectAll(bool selected);
    void selectAllClocks() { selectAll(true); }
    void selectNone() { selectAll(false); }
    void assignSelectedToGroup(int group);
    void resetSelected();
    void startStopSelected(bool active);
    void startSelected() { startStopSelected(true); }
    void stopSelected() { startStopSelected(false); }
    void deleteSelected();

private:
    BoardSelection& m_selection;
    RepaintScheduler& m_repaint;
};
