#pragma once
#include "files/IBoardWindow.h"

#include <QByteArray>

class ClockCollection;

// The whole clock file for a board: the header, then every clock's block in board order.
// Every line ends in CR LF; names and paths are written as UTF-8.
namespace ClockFileWriter {
QByteArray write(const ClockCollection& clocks, const WindowTwips& window);
}
