#include "clock/FaceColors.h"

#include "platform/raster/Rounding.h"
#include "skins/SkinFields.h"

#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr TColor kSystemColorFlag = 0x80000000u;

// pos * delta / total rounded to nearest, halves away from zero, from a
// 64-bit product.
std::int64_t ScaledDelta(std::int64_t pos, std::int64_t delta, std::int64_t total)
{
    if (total == 0)
        return 0;
    const std::int64_t product = pos * delta;
    const bool negative = (product < 0) != (total < 0);
    const std::uint64_t magnitude = std::uint64_t(std::llabs(product));
    const std::uint64_t divisor = std::uint64_t(std::llabs(total));
    const std::int64_t quotient = std::int64_t((magnitude + divisor / 2) / divisor);
    return negative ? -quotient : quotient;
}

// The desktop's colours for the system colour indices the original palette
// knew; indices without a role here are grey.
QPalette::ColorRole RoleOfSystemColor(int index, bool& known)
{
    known = true;
    switch (index) {
    case 1: return QPalette::Window;          // desktop
    case 2: case 3: return QPalette::Highlight; // caption bars
    case 4: return QPalette::Window;          // menu
    case 5: return QPalette::Base;            // window
    case 6: return QPalette::Shadow;          // window frame
    case 7: return QPalette::WindowText;      // menu text
    case 8: return QPalette::Text;            // window text
    case 9: return QPalette::HighlightedText; // caption text
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;         // button face
    case 16: return QPalette::Mid;            // button shadow
    case 17: return QPalette::PlaceholderText; // grey text
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;          // button highlight
    case 21: return QPalette::Dark;           // dark shadow
    case 22: return QPalette::Midlight;       // light
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    default: known = false; return QPalette::Window;
    }
}

// MixColor(c1, c2, total, pos) of plain colours for pos = 0..count - 1 into
// colours (zero on entry), channel by channel. A channel's quotient
// (pos * |delta| + total / 2) / total changes at most |delta| times, so it is
// written in runs whose ends take one division each.
void MixRuns(TColor c1, TColor c2, int total, int count, TColor* colours)
{
    for (const int shift : { 0, 8, 16 }) {
        const int first = int((c1 >> shift) & 0xFF);
        const int last = int((c2 >> shift) & 0xFF);
        const std::int64_t step = std::abs(last - first);
        const int sign = last < first ? -1 : 1;
        int pos = 0;
        for (std::int64_t quotient = 0; pos < count; ++quotient) {
            // The first position whose quotient is above this one.
            const std::int64_t above = (quotient + 1) * total - total / 2;
            const std::int64_t next = step == 0 ? count : (above + step - 1) / step;
            const int end = int(std::min<std::int64_t>(next, count));
            const TColor value = TColor(first + sign * quotient) << shift;
            for (; pos < end; ++pos)
                colours[pos] |= value;
        }
    }
}

int GradientSplit(int total, int mid)
{
    if (mid == 0)
        mid = 50;
    mid = std::clamp(mid, 1, 99);
    return int(RoundHalfEven(double(total) * mid / 100));
}

} // namespace

TColor ResolveSystemColor(TColor colour)
{
    if (!(colour & kSystemColorFlag))
        return colour;
    bool known = false;
    const QPalette::ColorRole role = RoleOfSystemColor(int(colour & 0xFF), known);
    if (!known || !qGuiApp)
        return MakeColor(128, 128, 128);
    return FromQColor(QGuiApplication::palette().color(role));
}

Skin SkinToDraw(Skin skin)
{
    for (const SkinField& field : kSkinFields)
        if (const auto* colour = std::get_if<TColor Skin::*>(&field.member))
            skin.*(*colour) = ResolveSystemColor(skin.*(*colour));
    return skin;
}

TColor MixColor(TColor c1, TColor c2, int total, int pos)
{
    c1 = ResolveSystemColor(c1);
    c2 = ResolveSystemColor(c2);
    const std::int64_t red = RedOf(c1) + ScaledDelta(pos, RedOf(c2) - RedOf(c1), total);
    const std::int64_t green = GreenOf(c1) + ScaledDelta(pos, GreenOf(c2) - GreenOf(c1), total);
    const std::int64_t blue = BlueOf(c1) + ScaledDelta(pos, BlueOf(c2) - BlueOf(c1), total);
    return TColor(std::uint32_t(red + green * 256 + blue * 65536));
}

TColor GradientColor(TColor c1, TColor c2, int total, int pos, int mid)
{
    const int split = GradientSplit(total, mid);
    const TColor mean = MixColor(c1, c2, total, total / 2);
    if (pos < split)
        return MixColor(c1, mean, split, pos);
    return MixColor(mean, c2, total - split, pos - split);
}

std::vector<TColor> GradientColors(TColor c1, TColor c2, int total, int mid)
{
    c1 = ResolveSystemColor(c1);
    c2 = ResolveSystemColor(c2);
    const int split = std::clamp(GradientSplit(total, mid), 0, total);
    const TColor mean = MixColor(c1, c2, total, total / 2);
    std::vector<TColor> colours(std::size_t(std::max(total, 0)), 0);
    MixRuns(c1, mean, split, split, colours.data());
    MixRuns(mean, c2, total - split, total - split, colours.data() + split);
    return colours;
}
