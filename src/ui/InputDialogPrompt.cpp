#include "ui/InputDialogPrompt.h"

#include <QInputDialog>
#include <QLineEdit>

std::optional<QString> InputDialogPrompt::askText(const QString& title, const QString& prompt,
                                                  const QString& preset) {
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, preset, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}
