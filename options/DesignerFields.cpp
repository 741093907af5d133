#include "options/DesignerFields.h"

#include <algorithm>
#include <array>

namespace {

using enum DesignerKind;

constexpr std::array kRows {
    DesignerRow { "bbHourStC", Colour, &Skin::HourFirstColor },
    DesignerRow { "seHourMdC", Number, nullptr, &Skin::HourMiddlePos },
    DesignerRow { "bbHourEndC", Colour, &Skin::HourLastColor },
    DesignerRow { "seInnerEdge", Number, nullptr, &Skin::InnerEdge },
    DesignerRow { "bbMinStC", Colour, &Skin::MinFirstColor },
    DesignerRow { "seMinMdC", Number, nullptr, &Skin::MinMiddlePos },
    DesignerRow { "bbMinEndC", Colour, &Skin::MinLastColor },
    DesignerRow { "seOuterEdge", Number, nullptr, &Skin::OuterEdge },
    DesignerRow { "bbBgColor", Colour, &Skin::TicsBandColor },
    DesignerRow { "bbTicsColor", Colour, &Skin::TicsColor },
    DesignerRow { "seTicsWidth", Number, nullptr, &Skin::TicsWidth },
    DesignerRow { "rgShape", Shape },
    DesignerRow { "bbSecColor", Colour, &Skin::SecColor },
    DesignerRow { "cbSecStyle", ItemIndex, nullptr, &Skin::SecStyle },
    DesignerRow { "seSize", Size, nullptr, &Skin::ClockSize },
    DesignerRow { "seTransparency", Transparency },
    DesignerRow { "cbDigPosition", ItemIndex, nullptr, &Skin::DigPosition },
    DesignerRow { "seDigSize", Number, nullptr, &Skin::DigSize },
    DesignerRow { "cbFontNames", Font },
    DesignerRow { "bbDigColor", Colour, &Skin::DigColor },
};

constexpr std::array kFillOrder { "bbHourStC", "seHourMdC", "bbHourEndC", "seInnerEdge", "bbMinStC", "seMinMdC",
    "bbMinEndC", "seOuterEdge", "bbBgColor", "bbTicsColor", "seTicsWidth", "bbSecColor", "seTransparency", "seSize",
    "rgShape", "cbSecStyle", "cbDigPosition", "seDigSize", "cbFontNames", "bbDigColor" };
static_assert(kFillOrder.size() == kRows.size());

constexpr int kRoundedIndex = 2;
const QString kFallbackFont = QStringLiteral("Arial");

} // namespace

std::span<const DesignerRow> DesignerRowsInStoreOrder()
{
    return kRows;
}

std::span<const char* const> DesignerFillOrder()
{
    return kFillOrder;
}

int ShapeIndex(const Skin& skin)
{
    if (!skin.Square)
        return 0;
    return skin.Rounded ? kRoundedIndex : 1;
}

void StoreShapeIndex(Skin& skin, int index)
{
    skin.Square = index != 0;
    skin.Rounded = index == kRoundedIndex;
}

std::uint8_t StoredTransparency(int typed)
{
    return std::uint8_t(std::clamp(typed, 0, 255));
}

QStringList ScreenFontNames(QStringList installedFamilies)
{
    if (!installedFamilies.contains(kFallbackFont))
        installedFamilies << kFallbackFont;
    std::sort(installedFamilies.begin(), installedFamilies.end(),
        [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return installedFamilies;
}
