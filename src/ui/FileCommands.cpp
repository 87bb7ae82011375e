#include "ui/FileCommands.h"

#include "ui/MainMenu.h"
#include "ui/frmMain.h"

#include <QAction>

FileCommands::FileCommands(frmMain& window, ClockCollection& clocks, GroupCommands& groups,
                           RepaintScheduler& repaint, const QString& programFolder,
                           const QString& userDataFolder, QObject* parent)
    : QObject(parent), m_window(window), m_chooser(&window), m_prompts(&window),
      m_board(window, groups, repaint),
      m_files(clocks, m_board, m_prompts, m_chooser, programFolder, userDataFolder) {
    const MainMenu& menu = window.menu();
    connect(menu.mnuOpen, &QAction::triggered, this, &FileCommands::openClocks);
    connect(menu.mnuSave, &QAction::triggered, this, &FileCommands::saveClocks);
    connect(menu.mnuSaveAs, &QAction::triggered, this, &FileCommands::saveClocksAs);
    connect(menu.mnuFileDelete, &QAction::triggered, this, &FileCommands::closeClocks);
    connect(&window, &frmMain::clocksClosed, this, &FileCommands::boardClosed);
}

void FileCommands::openClocks() {
    if (m_files.mayDiscardBoard())
        m_files.loadClocks(QString());
}

void FileCommands::saveClocks() {
    m_files.saveClocks();
}

void FileCommands::saveClocksAs() {
    m_files.saveClocksAs();
}

void FileCommands::closeClocks() {
    if (m_files.mayDiscardBoard())
        m_window.closeClocks();
}

void FileCommands::boardClosed() {
    m_files.boardClosed();
}
