#pragma once
#include <QString>
#include <QStringList>

// The platform's modal open and save file dialogs. Filters read "Clock Files (*.clk)".
class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // The chosen path, or an empty text when the user cancels.
    virtual QString chooseOpenFile(const QString& title, const QString& folder,
                                   const QStringList& filters) = 0;
    // The chosen path, or an empty text when the user cancels; fileName is preset.
    virtual QString chooseSaveFile(const QString& title, const QString& folder, const QString& fileName,
                                   const QStringList& filters) = 0;
};
