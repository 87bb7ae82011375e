#pragma once

// Asked before anything that throws the board away (closing it, opening another, quitting).
class IBoardGuard {
public:
    virtual ~IBoardGuard() = default;
    // True to go on: the board has no unsaved changes, was saved, or the user chose to discard it.
    virtual bool mayDiscardBoard() = 0;
};
