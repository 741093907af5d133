#pragma once

#include "skins/Skin.h"

#include <QImage>

// The face drawn by following its definition step by step: pixel by pixel,
// column by column, two extended-precision arc tangents and two gradient
// evaluations per pixel. Slow on purpose; the oracle the production renderer
// is compared with, pixel for pixel.
void DrawFaceLiterally(QImage& bitmap, const Skin& skin, double hourAngle, double minuteAngle);
