#pragma once
#include "core/GroupTable.h"
#include "ui/IGroupMenuCaptions.h"

#include <QObject>
#include <QString>
#include <array>

class QAction;
class QMenu;
class QMenuBar;
class MenuOptions;

// The main window's seven menus. Commands are reached through the typed members below and connected
// with types; every item also carries its control name as objectName ("mnuFileAddClock", ...).
// The option items are the actions of MenuOptions. No item has a shortcut key: the canvas owns the keyboard.
class MainMenu final : public QObject, public IGroupMenuCaptions {
    Q_OBJECT
public:
    MainMenu(QMenuBar& bar, MenuOptions& options, QObject* parent = nullptr);

    // The default caption of "Group Names" item n: "Group &n".
    static QString defaultGroupCaption(int group);

    void setGroupMenuCaption(int group, const QString& caption) override;
    void resetGroupMenuCaptions() override;

    QAction* mnuFileAddClock = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuFileDelete = nullptr; // "&Close clocks"
    QAction* mnuFileQuit = nullptr;
    QAction* mnuSelectAll = nullptr;
    QAction* mnuSelectNone = nullptr;
    std::array<QAction*, GroupTable::groupCount> mnuAssignGroup{};
    QAction* mnuSelReset = nullptr;
    QAction* mnuSelStart = nullptr;
    QAction* mnuSelStop = nullptr;
    QAction* mnuSelDelete = nullptr;
    std::array<QAction*, GroupTable::groupCount> mnuGroupName{};
    QAction* mnuAbout = nullptr;

private:
    QMenu* addMenu(QMenuBar& bar, const char* controlName, const char* caption);
    QMenu* addSubmenu(QMenu* menu, const char* controlName, const char* caption);
    QAction* addItem(QMenu* menu, const QString& controlName, const QString& caption);
    void addOption(QMenu* menu, QAction* option);
    void addSeparator(QMenu* menu, const char* controlName);
};
