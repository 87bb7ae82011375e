#pragma once
#include <QString>

// The program's version and the check that warns about files from a newer one.
namespace VersionCheck {
// Major, minor and revision joined by ".": "1.0.3".
QString getVersion();
// Whether fileVersion is newer than getVersion(), comparing major, then minor, then revision as numbers.
// A part that a comparison needs but fileVersion lacks, or that is no number, sets *error (the text
// after "Error while comparing versions: ") and gives false.
bool isNewerVersion(const QString& fileVersion, QString* error);
// The three-line warning naming the file's version.
QString newerVersionWarning(const QString& fileVersion);
// The message for a failed comparison.
QString comparisonErrorMessage(const QString& error);
} // namespace VersionCheck
