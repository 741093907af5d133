#pragma once

#include "skins/Skin.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>

// The skin designer's controls and the Skin fields they edit: one row per
// control, which the two transfers (record to controls, controls to record)
// walk in their orders.

enum class DesignerKind {
    Colour,       // a colour button's Tag, copied both ways
    Number,       // a spin box's value as typed; shown clamped to the box
    Size,         // as Number, but stored clamped to the box
    ItemIndex,    // a drop-down list's item index, -1 for none
    Shape,        // the radio group of the shape, over Square and Rounded
    Transparency, // a spin box over the one-byte Transparency
    Font,         // the font list's text, over DigFont
};

struct DesignerRow {
    const char* control; // the control's object name
    DesignerKind kind;
    TColor Skin::* colour = nullptr;      // for Colour
    std::int32_t Skin::* number = nullptr; // for Number, Size, ItemIndex
};

// In the order the controls are stored into the record.
std::span<const DesignerRow> DesignerRowsInStoreOrder();
// The order the controls are filled from the record: the inner band
// boundary before the outer one, whose bounds each sets for the other.
std::span<const char* const> DesignerFillOrder();

// The shape's item index: 0 "Circular", 1 "Square", 2 "Rounded".
int ShapeIndex(const Skin& skin);
void StoreShapeIndex(Skin& skin, int index);

// The typed transparency for the one-byte field: values beyond a byte are
// stored as the nearest byte value (51..255 are stored as typed and drawn
// as 50).
std::uint8_t StoredTransparency(int typed);

// The fonts the designer offers: the installed families the user may pick,
// sorted regardless of letter case, with "Arial" among them, which the font
// engine resolves to a metric-compatible font where Arial itself is not
// installed (the skins' default readout font).
QStringList ScreenFontNames(QStringList installedFamilies);
