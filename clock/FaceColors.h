#pragma once

#include "platform/raster/Color.h"
#include "skins/Skin.h"

#include <vector>

// Colour arithmetic of the face. Colours are $00BBGGRR; a value with the top
// bit set names a system colour and is resolved to a plain one first.

// The plain colour of a system colour value (top bit set, index in the low
// byte); plain colours come back unchanged.
TColor ResolveSystemColor(TColor colour);

// The skin as it is drawn: every colour field resolved to a plain colour.
// Everything drawn from a skin (face, seconds marker, readout, texture) is
// drawn from it.
Skin SkinToDraw(Skin skin);

// The colour pos/total of the way from c1 to c2: per channel
// c1 + pos * (c2 - c1) / total, the quotient rounded to nearest with halves
// away from zero. Channels are neither clamped nor masked, so callers keep pos
// within 0..total.
TColor MixColor(TColor c1, TColor c2, int total, int pos);

// Position pos on a gradient of length total from c1 through a middle colour
// (nearly the average of c1 and c2) at mid percent to c2. mid 0 counts as 50;
// mid is kept within 1..99.
TColor GradientColor(TColor c1, TColor c2, int total, int pos, int mid);

// GradientColor(c1, c2, total, pos, mid) for every pos of 0..total - 1, for a
// total of at least 1, computed without a division per position.
std::vector<TColor> GradientColors(TColor c1, TColor c2, int total, int mid);
