#pragma once
#include "ui/IGroupMenuCaptions.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <array>

class QAction;
class QMenu;
class QMenuBar;
class MenuOptions;

// The main window's seven menus. Every item, menu and separator is reachable by its control name
// ("mnuFileAddClock", "mnuAssignGroup3", ...); the option items are the actions of MenuOptions.
// No item has a shortcut key: the canvas owns the keyboard.
class MainMenu final : public QObject, public IGroupMenuCaptions {
    Q_OBJECT
public:
    static constexpr int groupCount = 10;

    MainMenu(QMenuBar& bar, MenuOptions& options, QObject* parent = nullptr);

    // The item with that control name, or nullptr.
    QAction* action(const QString& controlName) const;
    // The default caption of "Group Names" item n: "Group &n".
    static QString defaultGroupCaption(int group);

    void setGroupMenuCaption(int group, const QString& caption) override;
    void resetGroupMenuCaptions() override;

private:
    QMenu* addMenu(QMenuBar& bar, const char* controlName, const char* caption);
    QMenu* addSubmenu(QMenu* menu, const char* controlName, const char* caption);
    QAction* addItem(QMenu* menu, const QString& controlName, const QString& caption);
    void addOption(QMenu* menu, QAction* option);
    void addSeparator(QMenu* menu, const char* controlName);
    void name(QAction* action, const QString& controlName);

    QHash<QString, QAction*> m_actions;
    std::array<QAction*, groupCount> m_groupNames{};
};
