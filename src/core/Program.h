#pragma once

class MainLoop;
class ProgramSettings;

// The one way out of the program: store the options, let pending events run once, stop the loop.
// The board is not saved here.
class Program {
public:
    Program(MainLoop& loop, ProgramSettings& settings);
    void quitProgram();

private:
    MainLoop& m_loop;
    ProgramSettings& m_settings;
    bool m_quitting = false;
};
