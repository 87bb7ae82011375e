#include "ui/BoardInteraction.h"

#include "core/ClockCollection.h"
#include "display/CanvasWidget.h"
#include "ui/MainMenu.h"
#include "ui/frmMain.h"

#include <QAction>

BoardInteraction::BoardInteraction(frmMain& window, ClockCollection& clocks, RepaintScheduler& repaint)
    : m_selection(clocks), m_input(*window.canvas(), m_selection, repaint),
      m_selectionCommands(m_selection, repaint), m_groupNamePrompt(&window),
      m_groupCommands(clocks.groups(), m_groupNamePrompt, window.menu(), repaint) {
    window.canvas()->setInput(&m_input);
    m_input.setShowSetForm([&window](int index) { window.showSetForm(index); });
    connectMenus(window);
}

void BoardInteraction::connectMenus(frmMain& window) {
    const MainMenu& menu = window.menu();
    const auto on = [&menu](const char* name, auto&& slot) {
        QObject::connect(menu.action(QString::fromLatin1(name)), &QAction::triggered, slot);
    };
    // The menu's checked flag must not reach the commands' own flags, so each item calls its command plainly.
    SelectionCommands* commands = &m_selectionCommands;
    on("mnuSelectAll", [commands] { commands->selectAllClocks(); });
    on("mnuSelectNone", [commands] { commands->selectNone(); });
    on("mnuSelReset", [commands] { commands->resetSelected(); });
    on("mnuSelStart", [commands] { commands->startSelected(); });
    on("mnuSelStop", [commands] { commands->stopSelected(); });
    on("mnuSelDelete", [commands] { commands->deleteSelected(); });
    GroupCommands* groups = &m_groupCommands;
    for (int n = 0; n < GroupTable::groupCount; ++n) {
        QObject::connect(menu.action(QStringLiteral("mnuAssignGroup%1").arg(n)), &QAction::triggered,
                         [commands, n] { commands->assignSelectedToGroup(n); });
        QObject::connect(menu.action(QStringLiteral("mnuGroupName%1").arg(n)), &QAction::triggered,
                         [groups, n] { groups->renameGroup(n); });
    }
}
