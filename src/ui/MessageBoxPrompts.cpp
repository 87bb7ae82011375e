#include "ui/MessageBoxPrompts.h"

#include <QMessageBox>

namespace {
const QString title = QStringLiteral("Zentriq");
}

void MessageBoxPrompts::inform(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

void MessageBoxPrompts::reportError(const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

IFilePrompts::SaveChoice MessageBoxPrompts::askSaveChanges() {
    QMessageBox box(QMessageBox::Question, title, QStringLiteral("Save changes to this board?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}
