#pragma once

class IBoardGuard;
class MainLoop;
class ProgramSettings;

// The one way out of the program: store the options, let pending events run once, stop the loop.
// The board is not saved here; the guard, when set, first lets the user save it or stay.
class Program {
public:
    Program(MainLoop& loop, ProgramSettings& settings);
    void setGuard(IBoardGuard* guard) { m_guard = guard; }
    void quitProgram();

private:
    MainLoop& m_loop;
    ProgramSettings& m_settings;
    IBoardGuard* m_guard = nullptr;
    bool m_asking = false;
    bool m_quitting = false;
};
