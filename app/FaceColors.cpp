#include "app/FaceColors.h"

#include "platform/Rounding.h"

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

// One channel of MixColor(c1, c2, total, pos) for pos = 0, 1, 2, ...: the
// quotient of pos * |delta| + total / 2 by total is stepped along with its
// remainder instead of divided anew.
class SteppedChannel {
public:
    SteppedChannel(int first, int last, int total)
        : m_first(first), m_step(std::abs(last - first)), m_sign(last < first ? -1 : 1), m_total(total),
          m_remainder(total / 2)
    {
    }

    int Value() const { return m_first + m_sign * m_quotient; }

    void Step()
    {
        m_remainder += m_step;
        while (m_remainder >= m_total) {
            m_remainder -= m_total;
            ++m_quotient;
        }
    }

private:
    int m_first;
    int m_step;
    int m_sign;
    int m_total;
    int m_quotient = 0;
    int m_remainder;
};

// MixColor(c1, c2, total, pos) for pos = 0..count - 1 of plain colours,
// appended to colours.
void AppendMixes(TColor c1, TColor c2, int total, int count, std::vector<TColor>& colours)
{
    SteppedChannel red(RedOf(c1), RedOf(c2), total);
    SteppedChannel green(GreenOf(c1), GreenOf(c2), total);
    SteppedChannel blue(BlueOf(c1), BlueOf(c2), total);
    for (int pos = 0; pos < count; ++pos) {
        colours.push_back(TColor(std::uint32_t(red.Value() + green.Value() * 256 + blue.Value() * 65536)));
        red.Step();
        green.Step();
        blue.Step();
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
    std::vector<TColor> colours;
    colours.reserve(std::size_t(std::max(total, 0)));
    AppendMixes(c1, mean, split, split, colours);
    AppendMixes(mean, c2, total - split, total - split, colours);
    return colours;
}
