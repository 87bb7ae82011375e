#include "files/ClockFileReader.h"

#include "clock/clsClock.h"
#include "core/ClockCollection.h"
#include "core/IOptions.h"
#include "core/TextNumber.h"
#include "files/ClockFileFormat.h"
#include "files/IBoardWindow.h"
#include "files/IFilePrompts.h"
#include "files/LineReader.h"
#include "files/VersionCheck.h"

ClockFileReader::ClockFileReader(ClockCollection& clocks, IBoardWindow& window, IFilePrompts& prompts)
    : m_clocks(clocks), m_window(window), m_prompts(prompts) {}

bool ClockFileReader::read(const QByteArray& content, ReadFailure* failure) {
    StoredPlacement placement;
    m_placement = &placement;
    LineReader lines(content);
    QString text;
    bool ok = true;
    while (ok && lines.next(&text)) {
        failure->line = lines.lineNumber();
        const QString trimmed = text.trimmed();
        const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
        if (equals >= 1)
            ok = readHeader(trimmed.left(equals).trimmed().toLower(), trimmed.mid(equals + 1), failure);
        else if (trimmed.compare(QLatin1String("<clock>"), Qt::CaseInsensitive) == 0)
            ok = readClock(lines, failure);
    }
    m_placement = nullptr;
    // The place is applied once, so the window does not jump through the four lines one by one.
    if (placement.any() && m_clocks.environment().options.isChecked(Option::AllowRepos))
        m_window.applyPlacement(placement);
    return ok;
}

bool ClockFileReader::readHeader(const QString& key, const QString& value, ReadFailure* failure) {
    IOptions& options = m_clocks.environment().options;
    const auto real = [&value] { return float(TextNumber::number(value)); };
    if (key == QLatin1String("progver")) {
        checkVersion(value);
    } else if (key == QLatin1String("formleft")) {
        m_placement->left = real();
    } else if (key == QLatin1String("formtop")) {
        m_placement->top = real();
    } else if (key == QLatin1String("formwidth")) {
        m_placement->width = real();
    } else if (key == QLatin1String("formheight")) {
        m_placement->height = real();
    } else if (key == QLatin1String("mute")) {
        options.setChecked(Option::Mute, ClockFileFormat::readBoolean(value));
    } else if (key == QLatin1String("showboxes")) {
        options.setChecked(Option::ViewBounds, ClockFileFormat::readBoolean(value));
    } else if (key == QLatin1String("autoarrange")) {
        options.setChecked(Option::ViewArrange, ClockFileFormat::readBoolean(value));
    } else if (key.startsWith(QLatin1String("groupname"))) {
        // One character after "groupname" names the group; anything but a digit ends the load.
        const QChar digit = key.size() > 9 ? key[9] : QChar();
        if (digit < QLatin1Char('0') || digit > QLatin1Char('9')) {
            failure->reason = QStringLiteral("\"%1\" does not name a group from 0 to 9").arg(key.left(40));
            return false;
        }
        const int group = digit.unicode() - '0';
        m_clocks.groups().setName(group, value);
        m_window.setGroupMenuCaption(group);
    }
    return true;
}

bool ClockFileReader::readClock(LineReader& lines, ReadFailure* failure) {
    clsClock* clock = m_clocks.appendClock();
    if (!clock) {
        failure->reason =
            QStringLiteral("the board holds no more than %1 clocks").arg(ClockCollection::maxClocks);
        return false;
    }
    if (!ClockBlock::load(*clock, lines, failure)) {
        // A clock is on the board only once its whole block was read.
        m_clocks.deleteClock(m_clocks.clockCount() - 1);
        return false;
    }
    if (m_clocks.environment().options.isChecked(Option::ResetOnLoad))
        clock->resetClock();
    return true;
}

void ClockFileReader::checkVersion(const QString& fileVersion) {
    QString error;
    if (VersionCheck::isNewerVersion(fileVersion, &error))
        m_prompts.inform(VersionCheck::newerVersionWarning(fileVersion));
    else if (!error.isEmpty())
        m_prompts.inform(VersionCheck::comparisonErrorMessage(error));
}
