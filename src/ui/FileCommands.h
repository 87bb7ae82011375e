#pragma once
#include "files/ClockFiles.h"
#include "ui/MainWindowBoard.h"
#include "ui/MessageBoxPrompts.h"
#include "ui/QtFileChooser.h"

#include <QObject>

class ClockCollection;
class GroupCommands;
class RepaintScheduler;
class frmMain;

// The File menu's board commands on the main window: "&Open Clocks", "&Save Clocks", "Save Clocks &As..."
// and "&Close clocks", each asking first where it would throw away unsaved changes.
class FileCommands final : public QObject {
    Q_OBJECT
public:
    FileCommands(frmMain& window, ClockCollection& clocks, GroupCommands& groups, RepaintScheduler& repaint,
                 const QString& programFolder, const QString& userDataFolder, QObject* parent = nullptr);

    ClockFiles& files() { return m_files; }

public slots:
    void openClocks();
    void saveClocks();
    void saveClocksAs();
    void closeClocks();

private:
    void boardClosed();

    frmMain& m_window;
    QtFileChooser m_chooser;
    MessageBoxPrompts m_prompts;
    MainWindowBoard m_board;
    ClockFiles m_files;
};
