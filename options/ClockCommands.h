#pragma once

// What the options window and the windows that will join it (the texture
// chooser, the gallery) ask of the clock window. The clock window implements
// it; these windows know the clock only through it.
class ClockCommands {
public:
    // Redraws the clock from Skin at once (after the first tick; before it
    // the first tick draws everything).
    virtual void ApplySkin() = 0;
    // Writes the alarm store, then the settings file. Throws IoError when
    // either cannot be written; a store that cannot be written ends it
    // before any setting is written.
    virtual void SaveSettings() = 0;
    // Closes the clock window, which ends the program (after saving).
    virtual void CloseClock() = 0;

protected:
    ~ClockCommands() = default;
};
