#include "ui/QtFileChooser.h"

#include <QDir>
#include <QFileDialog>

QString QtFileChooser::chooseOpenFile(const QString& title, const QString& folder,
                                      const QStringList& filters) {
    return QFileDialog::getOpenFileName(m_parent, title, folder, filters.join(QStringLiteral(";;")));
}

QString QtFileChooser::chooseSaveFile(const QString& title, const QString& folder, const QString& fileName,
                                      const QStringList& filters) {
    const QString start = fileName.isEmpty() ? folder : QDir(folder).filePath(fileName);
    return QFileDialog::getSaveFileName(m_parent, title, start, filters.join(QStringLiteral(";;")));
}
