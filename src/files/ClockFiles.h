#pragma once
#include "core/IBoardGuard.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class ClockCollection;
class IBoardWindow;
class IFileChooser;
class IFilePrompts;

// The board's file commands: open, save, save as, and the question before a board with unsaved changes
// is thrown away. Keeps the current clock file, empty when the board belongs to none.
class ClockFiles final : public IBoardGuard {
public:
    ClockFiles(ClockCollection& clocks, IBoardWindow& window, IFilePrompts& prompts, IFileChooser& chooser,
               QString programFolder, QString userDataFolder);

    static QString caption(const QString& file) { return QStringLiteral("Zentriq - ") + file; }
    static QStringList fileFilters();

    const QString& currentFile() const { return m_currentFile; }
    // Where the file dialogs start; created on first use.
    QString clocksFolder() const;

    // Loads a board, replacing the one shown. An empty name asks with the open dialog, and cancelling it
    // changes nothing. nativeName, when given, is the platform's own bytes for the name (from the command
    // line), which may not be valid UTF-8. A failure is reported with the file, the line and the reason;
    // the clocks read before it stay. Returns whether the whole file was read.
    bool loadClocks(const QString& fileName, const QByteArray& nativeName = {});
    // Writes the board to the current file, or asks for one when there is none. On failure the board,
    // the current file and whatever was on disk stay as they were. Returns whether the board was written.
    bool saveClocks();
    bool saveClocksAs();
    // "&Close clocks" emptied the board: it belongs to no file any more.
    void boardClosed();

    // IBoardGuard: an empty or unchanged board goes on at once; otherwise the user saves, discards or
    // cancels, and a failed or cancelled save cancels.
    bool mayDiscardBoard() override;

private:
    bool writeTo(const QString& path);

    ClockCollection& m_clocks;
    IBoardWindow& m_window;
    IFilePrompts& m_prompts;
    IFileChooser& m_chooser;
    QString m_programFolder;
    QString m_userDataFolder;
    QString m_currentFile;
    QByteArray m_currentNative; // the platform's bytes for m_currentFile
};
