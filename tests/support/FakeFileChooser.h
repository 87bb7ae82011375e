#pragma once
#include "core/IFileChooser.h"

// Answers with a path the test chose beforehand and remembers what it was asked.
class FakeFileChooser final : public IFileChooser {
public:
    QString answer; // empty: the user cancels
    QString lastFolder;
    QString lastFileName;
    QStringList lastFilters;
    int asked = 0;

    QString chooseOpenFile(const QString&, const QString& folder, const QStringList& filters) override {
        return remember(folder, QString(), filters);
    }
    QString chooseSaveFile(const QString&, const QString& folder, const QString& fileName,
                           const QStringList& filters) override {
        return remember(folder, fileName, filters);
    }

private:
    QString remember(const QString& folder, const QString& fileName, const QStringList& filters) {
        ++asked;
        lastFolder = folder;
        lastFileName = fileName;
        lastFilters = filters;
        return answer;
    }
};
