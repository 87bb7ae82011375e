// libFuzzer target for the clock-file reader: any bytes are read onto a board without a crash, a hang or
// undefined behaviour, and what the board then writes reads back whole.
#include "FakeBoardWindow.h"
#include "FakeFilePrompts.h"
#include "TestBoard.h"
#include "files/ClockFileReader.h"
#include "files/ClockFileWriter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray content = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    TestBoard board;
    FakeBoardWindow window;
    FakeFilePrompts prompts;
    ReadFailure failure;
    ClockFileReader(board.clocks, window, prompts).read(content, &failure);

    const QByteArray written = ClockFileWriter::write(board.clocks, window.placement());
    TestBoard again;
    FakeBoardWindow againWindow;
    ReadFailure againFailure;
    if (!ClockFileReader(again.clocks, againWindow, prompts).read(written, &againFailure) ||
        again.clocks.clockCount() != board.clocks.clockCount())
        std::abort(); // the program could not open a file it wrote itself
    return 0;
}
