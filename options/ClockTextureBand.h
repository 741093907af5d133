#pragma once

#include "overlay/BandBrush.h"

// The texture band of the clock on the screen, as the texture chooser edits
// it in place so that the clock shows each choice at once: its brush and
// its transparency. The clock window implements it.
class ClockTextureBand {
public:
    virtual BandBrush bandBrush() const = 0;
    virtual void setBandBrush(const BandBrush& brush) = 0;
    // Percent, 0 opaque to 100 invisible.
    virtual int bandTransparency() const = 0;
    virtual void setBandTransparency(int transparency) = 0;

protected:
    ~ClockTextureBand() = default;
};
