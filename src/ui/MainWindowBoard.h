#pragma once
#include "files/IBoardWindow.h"

#include <QList>
#include <QRect>

class GroupCommands;
class RepaintScheduler;
class frmMain;

// The main window as the file commands see it: its place in twips, its caption, the group menu captions.
class MainWindowBoard final : public IBoardWindow {
public:
    MainWindowBoard(frmMain& window, GroupCommands& groups, RepaintScheduler& repaint);

    WindowTwips placement() const override;
    void applyPlacement(const StoredPlacement& stored) override;
    void setCaption(const QString& caption) override;
    void setGroupMenuCaption(int group) override;
    void resetGroupMenuCaptions() override;
    void boardReplaced() override;

    // The wanted outer rectangle moved and shrunk as little as needed to lie on one of the available
    // screen areas: the one it overlaps most, or the first when it overlaps none. It is never made smaller
    // than minimum, unless the screen is.
    static QRect fitToScreens(const QRect& wanted, const QList<QRect>& available, const QSize& minimum);

private:
    frmMain& m_window;
    GroupCommands& m_groups;
    RepaintScheduler& m_repaint;
};
