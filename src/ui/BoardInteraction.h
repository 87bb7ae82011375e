#pragma once
#include "core/BoardSelection.h"
#include "ui/CanvasInput.h"
#include "ui/GroupCommands.h"
#include "ui/InputDialogPrompt.h"
#include "ui/SelectionCommands.h"

class ClockCollection;
class RepaintScheduler;
class frmMain;

// Everything the user does to the board by hand: the canvas's mouse and keys, the Selection menu and
// the Group Names menu, connected to the main window.
class BoardInteraction {
public:
    BoardInteraction(frmMain& window, ClockCollection& clocks, RepaintScheduler& repaint);
    GroupCommands& groupCommands() { return m_groupCommands; }

private:
    void connectMenus(frmMain& window);

    BoardSelection m_selection;
    CanvasInput m_input;
    SelectionCommands m_selectionCommands;
    InputDialogPrompt m_groupNamePrompt;
    GroupCommands m_groupCommands;
};
