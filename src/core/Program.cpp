#include "core/Program.h"

#include "core/MainLoop.h"
#include "core/ProgramSettings.h"

#include <QCoreApplication>

Program::Program(MainLoop& loop, ProgramSettings& settings) : m_loop(loop), m_settings(settings) {}

void Program::quitProgram() {
    // Events dispatched below may ask to quit again; the options are written once.
    if (m_quitting)
        return;
    m_quitting = true;
    m_settings.saveSettings();
    QCoreApplication::processEvents();
    m_loop.requestQuit(0);
}
