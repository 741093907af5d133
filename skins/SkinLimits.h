#pragma once

#include "skins/Skin.h"
#include "skins/SkinFields.h"

#include <QString>
#include <QStringList>

#include <optional>

// The values the skin designer and the texture chooser show and make, field
// by field: the skins the command-line companion writes keep to them, and a
// file counts as a skin when it holds a record within them. The clock itself
// loads any record and draws it clamped.

struct SkinFieldLimits {
    long long minimum;
    long long maximum;
};

// The range of a field, or none for a field every value of which can be
// shown (the shape flags, the spare bytes, the texts). Colours are plain
// RGB, $000000..$FFFFFF.
std::optional<SkinFieldLimits> DesignerLimits(const SkinField& field);

// What in the skin the designer could not show, one line for each field
// out of its range, naming the field, the value and the range, and a line
// when the inner band edge lies more than one above the outer one. Only
// the named fields are looked at (every field when none is named), the pair
// of edges when either is among them.
QStringList SkinLimitProblems(const Skin& skin, const QStringList& fields = {});
