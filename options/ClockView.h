#pragma once

#include "overlay/BandBrush.h"

#include <QString>

// What the texture chooser and the skin snapshots ask of the clock's
// display, beside ClockCommands: the texture band's brush and transparency,
// which the chooser edits in place so that the clock shows each choice at
// once, and the format the readout shows the time in. The clock window
// implements it.
class ClockView {
public:
    virtual BandBrush bandBrush() const = 0;
    virtual void setBandBrush(const BandBrush& brush) = 0;
    // Percent, 0 opaque to 100 invisible.
    virtual int bandTransparency() const = 0;
    virtual void setBandTransparency(int transparency) = 0;
    virtual QString ReadoutFormat() const = 0;

protected:
    ~ClockView() = default;
};
