#pragma once

#include <QString>

// What the clock window reads from and asks of the options window: the
// permanent options it reads from and writes to the settings file and reads
// on its ticks, the current skin file, and showing the window. The options
// window implements it over its own controls; the clock window knows it only
// through this.
class ClockOptions {
public:
    // "Save last pos. on exit"
    virtual bool KeepLastPosition() const = 0;
    virtual void SetKeepLastPosition(bool keep) = 0;
    // "Keep last clock size"
    virtual bool KeepSize() const = 0;
    virtual void SetKeepSize(bool keep) = 0;
    // "Always On Top"
    virtual bool StayOnTop() const = 0;
    virtual void SetStayOnTop(bool onTop) = 0;
    // The readout format choice: 0 "AM/PM", 1 "24", -1 none. Setting a value
    // above 1 chooses 1, one below -1 clears the choice.
    virtual int DigFormatIndex() const = 0;
    virtual void SetDigFormatIndex(int index) = 0;
    // Steps the size box, as the clock's size keys do: the designer stores
    // the new size into Skin and the clock redraws.
    virtual void StepSize(int step) = 0;

    // Reads the named skin (or "default.clk" when it is missing) into Skin,
    // remembers the name and has the clock redraw. Throws IoError when the
    // file cannot be read.
    virtual void LoadSkin(const QString& fileName) = 0;
    // The skin file last loaded or saved, else "default.clk" in the program
    // folder.
    virtual QString SkinFileOrDefault() const = 0;
    // Refills the designer's controls from Skin.
    virtual void SkinToControls() = 0;
    // Writes the alarm store; throws IoError when it cannot.
    virtual void SaveAlarms() = 0;

    // Makes the Alarms page the current one.
    virtual void ShowAlarmsPage() = 0;
    // Shows the window, or brings it to the front when it is open; it
    // blocks neither the clock nor the tray icon. Returns at once.
    virtual void OpenOrRaise() = 0;

protected:
    ~ClockOptions() = default;
};
