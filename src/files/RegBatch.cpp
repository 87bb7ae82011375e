#include "files/RegBatch.h"

#ifdef Q_OS_WIN
#include <QDir>
#include <QProcess>
#endif

namespace RegBatch {

#ifdef Q_OS_WIN
void runRegBatch(const QString& programFolder) {
    constexpr unsigned long createNoWindow = 0x08000000; // CREATE_NO_WINDOW
    QProcess process;
    process.setProgram(QStringLiteral("cmd.exe"));
    process.setArguments(
        {QStringLiteral("/c"),
         QDir::toNativeSeparators(QDir(programFolder).filePath(QStringLiteral("regdx8.bat")))});
    process.setWorkingDirectory(programFolder);
    process.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments* args) { args->flags |= createNoWindow; });
    process.startDetached();
}
#else
void runRegBatch(const QString&) {}
#endif

} // namespace RegBatch
