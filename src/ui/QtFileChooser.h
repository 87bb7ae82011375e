#pragma once
#include "core/IFileChooser.h"

class QWidget;

// Asks through Qt's file dialogs, modal to the given window.
class QtFileChooser final : public IFileChooser {
public:
    explicit QtFileChooser(QWidget* parent) : m_parent(parent) {}
    QString chooseOpenFile(const QString& title, const QString& folder, const QStringList& filters) override;
    QString chooseSaveFile(const QString& title, const QString& folder, const QString& fileName,
                           const QStringList& filters) override;

private:
    QWidget* m_parent;
};
