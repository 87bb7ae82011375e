#include "ui/MainMenu.h"

#include "ui/MenuOptions.h"

#include <QMenu>
#include <QMenuBar>

MainMenu::MainMenu(QMenuBar& bar, MenuOptions& options, QObject* parent) : QObject(parent) {
    QMenu* file = addMenu(bar, "mnuFile", "&File");
    mnuFileAddClock = addItem(file, QStringLiteral("mnuFileAddClock"), QStringLiteral("Add a &Clock"));
    addSeparator(file, "mnuFileSep0");
    mnuOpen = addItem(file, QStringLiteral("mnuOpen"), QStringLiteral("&Open Clocks"));
    mnuSave = addItem(file, QStringLiteral("mnuSave"), QStringLiteral("&Save Clocks"));
    mnuSaveAs = addItem(file, QStringLiteral("mnuSaveAs"), QStringLiteral("Save Clocks &As..."));
    addSeparator(file, "mnuFileSep1");
    mnuFileDelete = addItem(file, QStringLiteral("mnuFileDelete"), QStringLiteral("&Close clocks"));
    mnuFileQuit = addItem(file, QStringLiteral("mnuFileQuit"), QStringLiteral("&Quit"));

    QMenu* view = addMenu(bar, "mnuView", "&View");
    addOption(view, options.action(Option::ViewArrange));
    addOption(view, options.action(Option::ViewBounds));

    QMenu* sound = addMenu(bar, "mnuSound", "&Sounds");
    addOption(sound, options.action(Option::Mute));

    QMenu* misc = addMenu(bar, "mnuMisc", "&Misc. Settings");
    addOption(misc, options.action(Option::Sync));
    addOption(misc, options.action(Option::AllowRepos));
    addOption(misc, options.action(Option::ResetOnLoad));
    addOption(misc, options.action(Option::Notify));

    QMenu* selection = addMenu(bar, "mnuSelection", "Se&lection");
    mnuSelectAll = addItem(selection, QStringLiteral("mnuSelectAll"), QStringLiteral("Select &All"));
    mnuSelectNone = addItem(selection, QStringLiteral("mnuSelectNone"), QStringLiteral("Select &None"));
    addSeparator(selection, "mnuSelSep0");
    QMenu* assign = addSubmenu(selection, "mnuSelGroupAssign", "Assign selected to &group");
    for (int g = 0; g < GroupTable::groupCount; ++g)
        mnuAssignGroup[std::size_t(g)] = addItem(assign, QStringLiteral("mnuAssignGroup%1").arg(g),
                                                 QStringLiteral("Group &%1 (shift+%1)").arg(g));
    addSeparator(selection, "mnuSelSep1");
    mnuSelReset = addItem(selection, QStringLiteral("mnuSelReset"), QStringLiteral("&Reset selected clocks"));
    mnuSelStart = addItem(selection, QStringLiteral("mnuSelStart"), QStringLiteral("&Start selected clocks"));
    mnuSelStop = addItem(selection, QStringLiteral("mnuSelStop"), QStringLiteral("Sto&p selected clocks"));
    addSeparator(selection, "mnuSelSep2");
    mnuSelDelete =
        addItem(selection, QStringLiteral("mnuSelDelete"), QStringLiteral("&Delete selected clocks"));

    QMenu* groupNames = addMenu(bar, "mnuGroupNames", "&Group Names");
    for (int g = 0; g < GroupTable::groupCount; ++g)
        mnuGroupName[std::size_t(g)] =
            addItem(groupNames, QStringLiteral("mnuGroupName%1").arg(g), defaultGroupCaption(g));

    QMenu* help = addMenu(bar, "mnuHelp", "&Help");
    mnuAbout = addItem(help, QStringLiteral("mnuAbout"), QStringLiteral("&About"));
}

QString MainMenu::defaultGroupCaption(int group) {
    return QStringLiteral("Group &%1").arg(group);
}

void MainMenu::setGroupMenuCaption(int group, const QString& caption) {
    if (GroupTable::isGroup(group))
        mnuGroupName[std::size_t(group)]->setText(caption);
}

void MainMenu::resetGroupMenuCaptions() {
    for (int g = 0; g < GroupTable::groupCount; ++g)
        mnuGroupName[std::size_t(g)]->setText(defaultGroupCaption(g));
}

namespace {
void name(QAction* action, const QString& controlName) {
    action->setObjectName(controlName);
    // Keeps items where the menu tree puts them on platforms that move "About" or "Quit" by their text.
    action->setMenuRole(QAction::NoRole);
}
} // namespace

QMenu* MainMenu::addMenu(QMenuBar& bar, const char* controlName, const char* caption) {
    QMenu* menu = bar.addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(controlName));
    name(menu->menuAction(), QString::fromLatin1(controlName));
    return menu;
}

QMenu* MainMenu::addSubmenu(QMenu* menu, const char* controlName, const char* caption) {
    QMenu* sub = menu->addMenu(QString::fromLatin1(caption));
    sub->setObjectName(QString::fromLatin1(controlName));
    name(sub->menuAction(), QString::fromLatin1(controlName));
    return sub;
}

QAction* MainMenu::addItem(QMenu* menu, const QString& controlName, const QString& caption) {
    QAction* item = menu->addAction(caption);
    name(item, controlName);
    return item;
}

void MainMenu::addOption(QMenu* menu, QAction* option) {
    menu->addAction(option);
    name(option, option->objectName());
}

void MainMenu::addSeparator(QMenu* menu, const char* controlName) {
    name(menu->addSeparator(), QString::fromLatin1(controlName));
}
