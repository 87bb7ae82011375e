#pragma once
#include <QByteArray>
#include <QString>

class clsClock;
class LineReader;

// Why a read stopped: the line (1 for the first, 0 for none) and the reason in words.
struct ReadFailure {
    int line = 0;
    QString reason;
};

// One clock's block in a clock file, from "<clock>" to the empty line after "</clock>".
namespace ClockBlock {
// Appends the clock's block.
void save(const clsClock& clock, QByteArray& out);
// Reads the rest of a block, the "<clock>" line already read, into a clock that has its defaults.
// Stops after "</clock>" or at the end of the content. A number that does not fit 16 bits fails the read.
bool load(clsClock& clock, LineReader& lines, ReadFailure* failure);
} // namespace ClockBlock
