#include "core/Program.h"

#include "core/IBoardGuard.h"
#include "core/MainLoop.h"
#include "core/ProgramSettings.h"

#include <QCoreApplication>

Program::Program(MainLoop& loop, ProgramSettings& settings) : m_loop(loop), m_settings(settings) {}

void Program::quitProgram() {
    // Events dispatched below may ask to quit again; the options are written once.
    // A second request while the question is open (the close button again) is the same request.
    if (m_quitting || m_asking)
        return;
    if (m_guard) {
        m_asking = true;
        const bool goOn = m_guard->mayDiscardBoard();
        m_asking = false;
        if (!goOn)
            return;
    }
    m_quitting = true;
    m_settings.saveSettings();
    QCoreApplication::processEvents();
    m_loop.requestQuit(0);
}
