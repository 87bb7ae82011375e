#pragma once

class ISettingsStore;
class IOptions;

// The options kept between runs: read once at start, written once when the program quits.
// Mute is never stored here; it travels with the clock file.
class ProgramSettings {
public:
    ProgramSettings(ISettingsStore& store, IOptions& options);
    void loadSettings();
    void saveSettings();

private:
    ISettingsStore& m_store;
    IOptions& m_options;
};
