#include "ui/SelectionCommands.h"

#include "core/BoardSelection.h"
#include "core/RepaintScheduler.h"

SelectionCommands::SelectionCommands(BoardSelection& selection, RepaintScheduler& repaint, QObject* parent)
    : QObject(parent), m_selection(selection), m_repaint(repaint) {}

void SelectionCommands::selectAll(bool selected) {
    m_selection.selectAll(selected);
    m_repaint.request();
}

void SelectionCommands::assignSelectedToGroup(int group) {
    m_selection.assignSelectedToGroup(group);
    m_repaint.request();
}

void SelectionCommands::resetSelected() {
    m_selection.resetSelected();
    m_repaint.request();
}

void SelectionCommands::startStopSelected(bool active) {
    m_selection.startStopSelected(active);
    m_repaint.request();
}

void SelectionCommands::deleteSelected() {
    m_selection.deleteSelected();
    m_repaint.request();
}
