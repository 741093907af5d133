#pragma once

// What the options window asks of the running program beside the models it
// edits: saving everything, and closing the clock. The program implements
// it.
class ClockCommands {
public:
    // Writes the alarm store, then the settings file. Throws IoError when
    // either cannot be written; a store that cannot be written ends it
    // before any setting is written.
    virtual void SaveSettings() = 0;
    // Closes the clock window, which ends the program (after saving).
    virtual void CloseClock() = 0;

protected:
    ~ClockCommands() = default;
};
