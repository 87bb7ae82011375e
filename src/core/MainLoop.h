#pragma once
#include <QtGlobal>
#include <optional>

class ClockCollection;
class ITimeSource;
class IOptions;
class IEventPump;
class IPassView;
class RepaintScheduler;

// The program's one loop. A pass advances the clocks, repaints what changed and dispatches events;
// dispatching waits until the next moment a clock can count, so an idle board costs nothing.
class MainLoop {
public:
    MainLoop(ClockCollection& clocks, ITimeSource& time, IOptions& options, IEventPump& pump, IPassView& view,
             RepaintScheduler& repaint);
    ~MainLoop();
    MainLoop(const MainLoop&) = delete;
    MainLoop& operator=(const MainLoop&) = delete;

    // Passes until quit is asked for; returns the exit code.
    int run();
    void pass();
    void requestQuit(int exitCode = 0);

    // Advances the clocks to the counter's current value (steps 1-2 of a pass).
    void advance();
    // When the loop next has something to do by itself, or nothing when only an event can wake it.
    std::optional<qint64> nextWakeMs() const;

private:
    void tickInBatches(qint64 seconds);
    void switchMode(bool sync, qint64 now);
    void clockStarted();

    ClockCollection& m_clocks;
    ITimeSource& m_time;
    IOptions& m_options;
    IEventPump& m_pump;
    IPassView& m_view;
    RepaintScheduler& m_repaint;
    std::optional<qint64> m_loopLastTick; // the moment of the last synchronised count
    bool m_wasSync = false;
    bool m_running = false; // a clock ran at the end of the last pass, or has started since
    bool m_quit = false;
    int m_exitCode = 0;
};
