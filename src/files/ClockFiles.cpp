#include "files/ClockFiles.h"

#include "core/Arranger.h"
#include "core/ClockCollection.h"
#include "core/IFileChooser.h"
#include "core/IOptions.h"
#include "files/BoardFile.h"
#include "files/ClockFileReader.h"
#include "files/ClockFileWriter.h"
#include "files/IBoardWindow.h"
#include "files/IFilePrompts.h"

#include <QFile>
#include <QFileInfo>
#include <utility>

ClockFiles::ClockFiles(ClockCollection& clocks, IBoardWindow& window, IFilePrompts& prompts,
                       IFileChooser& chooser, QString programFolder, QString userDataFolder)
    : m_clocks(clocks), m_window(window), m_prompts(prompts), m_chooser(chooser),
      m_programFolder(std::move(programFolder)), m_userDataFolder(std::move(userDataFolder)) {}

QStringList ClockFiles::fileFilters() {
    return {QStringLiteral("Clock Files (*.clk)"), QStringLiteral("All Files (*.*)")};
}

QString ClockFiles::clocksFolder() const {
    return BoardFile::clocksFolder(m_programFolder, m_userDataFolder);
}

bool ClockFiles::loadClocks(const QString& fileName, const QByteArray& nativeName) {
    QString path = fileName;
    if (path.isEmpty()) {
        path = m_chooser.chooseOpenFile(QStringLiteral("Open Clocks"), clocksFolder(), fileFilters());
        // Nothing chosen: the board and its file stay as they were.
        if (path.isEmpty())
            return false;
    }
    // The caption and the save dialog show the full path, also for a name given relative on the command line.
    m_currentFile = QFileInfo(path).absoluteFilePath();
    const bool textNamesIt =
        nativeName.isEmpty() || QFile::encodeName(QFile::decodeName(nativeName)) == nativeName;
    m_currentNative = textNamesIt ? QFile::encodeName(m_currentFile) : nativeName;
    m_clocks.removeAllClocks();
    m_window.resetGroupMenuCaptions();
    m_window.setCaption(caption(m_currentFile));
    // The first drag step after a load may carry a jump from before it.
    m_clocks.setDragArmed(false);

    QByteArray content;
    ReadFailure failure;
    bool complete = BoardFile::read(m_currentNative, &content, &failure.reason);
    if (complete) {
        ClockFileReader reader(m_clocks, m_window, m_prompts);
        complete = reader.read(content, &failure);
    }
    if (complete) {
        m_clocks.computeGroupBounds();
        if (m_clocks.environment().options.isChecked(Option::ViewArrange))
            Arranger(m_clocks, m_clocks.environment().canvas).autoArrange();
    } else if (failure.line > 0) {
        m_prompts.reportError(QStringLiteral("Could not read all of \"%1\".\nLine %2: %3.\n"
                                             "Only the clocks before that line were loaded; saving now "
                                             "would replace the file with them.")
                                  .arg(m_currentFile)
                                  .arg(failure.line)
                                  .arg(failure.reason));
    } else {
        m_prompts.reportError(
            QStringLiteral("Could not open the clocks in \"%1\": %2.").arg(m_currentFile, failure.reason));
    }
    m_clocks.markSaved();
    m_window.boardReplaced();
    return complete;
}

bool ClockFiles::saveClocks() {
    // A name that only the platform's bytes could reach cannot be written by name: ask for another.
    if (m_currentFile.isEmpty() || QFile::encodeName(m_currentFile) != m_currentNative)
        return saveClocksAs();
    if (!writeTo(m_currentFile))
        return false;
    m_prompts.inform(QStringLiteral("Clocks saved to ") + m_currentFile);
    return true;
}

bool ClockFiles::saveClocksAs() {
    QString path = m_chooser.chooseSaveFile(QStringLiteral("Save Clocks As"), clocksFolder(), m_currentFile,
                                            fileFilters());
    if (path.isEmpty())
        return false;
    // A name typed without an extension gets the one the open dialog and the command line look for.
    if (QFileInfo(path).suffix().isEmpty() && !QFileInfo::exists(path))
        path += QStringLiteral(".clk");
    if (!writeTo(path))
        return false;
    m_currentFile = path;
    m_currentNative = QFile::encodeName(path);
    m_prompts.inform(QStringLiteral("Clocks saved to ") + m_currentFile);
    return true;
}

bool ClockFiles::writeTo(const QString& path) {
    QString reason;
    if (!BoardFile::write(path, ClockFileWriter::write(m_clocks, m_window.placement()), &reason)) {
        m_prompts.reportError(QStringLiteral("Could not save the clocks to \"%1\": %2.\n"
                                             "The board is still open, and the file on disk was not changed.")
                                  .arg(path, reason));
        return false;
    }
    m_clocks.markSaved();
    return true;
}

void ClockFiles::boardClosed() {
    m_currentFile.clear();
    m_currentNative.clear();
    m_clocks.markSaved();
}

bool ClockFiles::mayDiscardBoard() {
    if (m_clocks.clockCount() == 0 || !m_clocks.hasUnsavedChanges())
        return true;
    switch (m_prompts.askSaveChanges()) {
    case IFilePrompts::SaveChoice::Save:
        return saveClocks();
    case IFilePrompts::SaveChoice::Discard:
        return true;
    case IFilePrompts::SaveChoice::Cancel:
        break;
    }
    return false;
}
