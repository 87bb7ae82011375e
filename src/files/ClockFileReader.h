#pragma once
#include "files/ClockBlock.h"
#include "files/IBoardWindow.h"

#include <QByteArray>

class ClockCollection;
class IFilePrompts;
class LineReader;

// Reads a whole clock file onto the board: the header lines wherever they stand outside clock blocks, and
// one clock for every "<clock>" block, appended in file order. Keys are matched in any letter case; values
// keep their letters. Where a key occurs twice the later line wins.
class ClockFileReader {
public:
    ClockFileReader(ClockCollection& clocks, IBoardWindow& window, IFilePrompts& prompts);
    // Reads until the end or the first failure; the clocks read completely before a failure stay. The
    // window place asked for by the file is applied at the end, when the options allow it.
    bool read(const QByteArray& content, ReadFailure* failure);

private:
    bool readHeader(const QString& key, const QString& value, ReadFailure* failure);
    bool readClock(LineReader& lines, ReadFailure* failure);
    void checkVersion(const QString& fileVersion);

    ClockCollection& m_clocks;
    IBoardWindow& m_window;
    IFilePrompts& m_prompts;
    StoredPlacement* m_placement = nullptr;
};
