#pragma once
#include <QString>

// The program-wide sound device. Files are decoded once and their buffers shared by every clock.
class ISoundService {
public:
    using BufferId = int;
    static constexpr BufferId NoBuffer = -1;

    virtual ~ISoundService() = default;
    // Opens the device on first use; while there is none, later calls may try again.
    virtual bool openDevice(QString* error) = 0;
    // Decodes a file once; the same path gives the same buffer. NoBuffer on failure.
    virtual BufferId loadBuffer(const QString& path, QString* error) = 0;
    // A tick: ticks of one buffer started in the same pass sound once, at the loudest gain.
    virtual bool playTick(BufferId buffer, double gain) = 0;
    // A sound played on its own, never merged (alarms).
    virtual bool playOnce(BufferId buffer, double gain) = 0;
    // Ends a pass of the main loop: the merged ticks start now. False when one of them could not.
    virtual bool endPass() = 0;
};
