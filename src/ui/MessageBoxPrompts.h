#pragma once
#include "files/IFilePrompts.h"

class QWidget;

// The file commands' messages and question as the platform's message boxes, modal to the window.
class MessageBoxPrompts final : public IFilePrompts {
public:
    explicit MessageBoxPrompts(QWidget* parent) : m_parent(parent) {}
    void inform(const QString& text) override;
    void reportError(const QString& text) override;
    SaveChoice askSaveChanges() override;

private:
    QWidget* m_parent;
};
