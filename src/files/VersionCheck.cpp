#include "files/VersionCheck.h"

#include "core/ZentriqVersion.h"

#include <QStringList>
#include <array>
#include <optional>

namespace VersionCheck {

QString getVersion() {
    return QString::number(ZentriqVersion::major) + QLatin1Char('.') +
           QString::number(ZentriqVersion::minor) + QLatin1Char('.') +
           QString::number(ZentriqVersion::revision);
}

namespace {
struct Parts {
    QStringList text;
    QString* error;
    // Part i of the file's version as a number; empty after setting the error.
    std::optional<double> at(int i) const {
        if (i >= text.size()) {
            *error = QStringLiteral("index out of range: version \"%1\" has no part %2")
                         .arg(text.join(QLatin1Char('.')))
                         .arg(i + 1);
            return std::nullopt;
        }
        bool ok = false;
        const double value = text[i].trimmed().toDouble(&ok);
        if (!ok) {
            *error = QStringLiteral("type mismatch: part %1 of version \"%2\" is \"%3\", not a number")
                         .arg(i + 1)
                         .arg(text.join(QLatin1Char('.')), text[i]);
            return std::nullopt;
        }
        return value;
    }
};
} // namespace

bool isNewerVersion(const QString& fileVersion, QString* error) {
    const std::array<double, 3> p = {double(ZentriqVersion::major), double(ZentriqVersion::minor),
                                     double(ZentriqVersion::revision)};
    // An empty version has no parts at all, not one empty part.
    const Parts f{fileVersion.isEmpty() ? QStringList() : fileVersion.split(QLatin1Char('.')), error};
    // Each test reads every part it names before it decides, so a short version fails where it falls short.
    const auto f0 = f.at(0);
    if (!f0)
        return false;
    if (*f0 > p[0])
        return true;
    const auto f1 = f.at(1);
    if (!f1)
        return false;
    if (*f0 == p[0] && *f1 > p[1])
        return true;
    const auto f2 = f.at(2);
    if (!f2)
        return false;
    return *f0 == p[0] && *f1 == p[1] && *f2 > p[2];
}

QString newerVersionWarning(const QString& fileVersion) {
    return QStringLiteral("Warning, this clock file was created with a newer version of Zentriq, some saved "
                          "functionality will not be available in this version.\n"
                          "And if you resave this file, information usable to version ") +
           fileVersion +
           QStringLiteral(" will be lost.\n"
                          "Consider downloading the newer version of Zentriq!");
}

QString comparisonErrorMessage(const QString& error) {
    return QStringLiteral("Error while comparing versions: ") + error;
}

} // namespace VersionCheck
