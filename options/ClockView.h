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
    virtual TBandBrush BandBrush() const = 0;
    virtual void SetBandBrush(const TBandBrush& brush) = 0;
    // Percent, 0 opaque to 100 invisible.
    virtual int BandTransparency() const = 0;
    virtual void SetBandTransparency(int transparency) = 0;
    virtual QString ReadoutFormat() const = 0;

protected:
    ~ClockView() = default;
};
