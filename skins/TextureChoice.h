#pragma once

#include "overlay/BandBrush.h"
#include "skins/Texture.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// What the texture chooser does to the band's brush and the texture state,
// without a window: the rows of its style list
// with their swatches, a style picked, and the texture text the choice
// stores.

// One row per style number, 0..19, in that order.
inline constexpr int kTextureStyleRows = 20;

// "Solid", "None", ... "Diag. Cross small".
QString TextureStyleCaption(int row);

// The row shown for a style number: its own, and that of "None" for a
// number outside 0..19, which shows no texture on the band either.
int TextureStyleRow(int style);

// The row of the brush's own style (one of the eight hatch rows).
int BrushStyleRow(const BandBrush& brush);

// A row picked: the brush's picture goes; rows 0..7 become its style, rows
// 8..19 put their pattern tile in as its picture and leave the style as it
// was. The state's style becomes the row, its file empty.
void ChooseTextureStyle(BandBrush& brush, TextureState& state, int row);

// The text a skin's Texture holds for the picture at path: the full path
// when the record can hold it, else the bare file name of a picture in the
// Textures folder (where loading finds it again); nothing when neither
// names the picture.
std::optional<QString> PictureTextureText(const QString& path, const QString& programFolder);

// The text Texture takes for the texture the state holds: its picture file
// when there is one, else its style in decimal.
QString ChosenTextureText(const TextureState& state, const QString& programFolder);

// The sample a row of the style list draws before its caption (ARGB32):
// hatch rows in black with transparent gaps, pattern rows black ink on
// white; none for "None" (a null image).
QImage TextureStyleSwatch(int row, QSize size);
