#pragma once
#include "ui/ITextPrompt.h"

class QWidget;

// Asks through the platform's input dialog, modal to the given window.
class InputDialogPrompt final : public ITextPrompt {
public:
    explicit InputDialogPrompt(QWidget* parent) : m_parent(parent) {}
    std::optional<QString> askText(const QString& title, const QString& prompt,
                                   const QString& preset) override;

private:
    QWidget* m_parent;
};
