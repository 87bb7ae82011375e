#include "ui/BoardInteraction.h"

#include "clock/ClockGeometry.h"
#include "core/ClockCollection.h"
#include "display/CanvasWidget.h"
#include "ui/MainMenu.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QGuiApplication>
#include <QStyleHints>

BoardInteraction::BoardInteraction(frmMain& window, ClockCollection& clocks, RepaintScheduler& repaint)
    : m_selection(clocks),
      m_input(*window.canvas(), m_selection, repaint,
              QGuiApplication::styleHints()->startDragDistance() * ClockGeometry::twipsPerPixel),
      m_selectionCommands(m_selection, repaint), m_groupNamePrompt(&window),
      m_groupCommands(clocks.groups(), m_groupNamePrompt, window.menu(), repaint) {
    window.canvas()->setInput(&m_input);
    m_input.setShowSetForm([&window](int index) { window.showSetForm(index); });
    connectMenus(window);
    QObject::connect(&m_groupCommands, &GroupCommands::groupRenamed, &m_groupCommands,
                     [&clocks] { clocks.markChanged(); });
}

void BoardInteraction::connectMenus(frmMain& window) {
    const MainMenu& menu = window.menu();
    // The menu's checked flag must not reach the commands' own flags, so each item calls its command plainly.
    SelectionCommands* commands = &m_selectionCommands;
    QObject::connect(menu.mnuSelectAll, &QAction::triggered, commands, &SelectionCommands::selectAllClocks);
    QObject::connect(menu.mnuSelectNone, &QAction::triggered, commands, &SelectionCommands::selectNone);
    QObject::connect(menu.mnuSelReset, &QAction::triggered, commands, &SelectionCommands::resetSelected);
    QObject::connect(menu.mnuSelStart, &QAction::triggered, commands, &SelectionCommands::startSelected);
    QObject::connect(menu.mnuSelStop, &QAction::triggered, commands, &SelectionCommands::stopSelected);
    QObject::connect(menu.mnuSelDelete, &QAction::triggered, commands, &SelectionCommands::deleteSelected);
    GroupCommands* groups = &m_groupCommands;
    for (int n = 0; n < GroupTable::groupCount; ++n) {
        QObject::connect(menu.mnuAssignGroup[std::size_t(n)], &QAction::triggered, commands,
                         [commands, n] { commands->assignSelectedToGroup(n); });
        QObject::connect(menu.mnuGroupName[std::size_t(n)], &QAction::triggered, groups,
                         [groups, n] { groups->renameGroup(n); });
    }
}
