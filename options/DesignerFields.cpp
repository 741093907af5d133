#include "options/DesignerFields.h"

#include <algorithm>
#include <array>

namespace {

using enum DesignerKind;

constexpr std::array kRows {
    DesignerRow { "bbHourStC", Colour, &TSkin::HourFirstColor },
    DesignerRow { "seHourMdC", Number, nullptr, &TSkin::HourMiddlePos },
    DesignerRow { "bbHourEndC", Colour, &TSkin::HourLastColor },
    DesignerRow { "seInnerEdge", Number, nullptr, &TSkin::InnerEdge },
    DesignerRow { "bbMinStC", Colour, &TSkin::MinFirstColor },
    DesignerRow { "seMinMdC", Number, nullptr, &TSkin::MinMiddlePos },
    DesignerRow { "bbMinEndC", Colour, &TSkin::MinLastColor },
    DesignerRow { "seOuterEdge", Number, nullptr, &TSkin::OuterEdge },
    DesignerRow { "bbBgColor", Colour, &TSkin::TicsBandColor },
    DesignerRow { "bbTicsColor", Colour, &TSkin::TicsColor },
    DesignerRow { "seTicsWidth", Number, nullptr, &TSkin::TicsWidth },
    DesignerRow { "rgShape", Shape },
    DesignerRow { "bbSecColor", Colour, &TSkin::SecColor },
    DesignerRow { "cbSecStyle", ItemIndex, nullptr, &TSkin::SecStyle },
    DesignerRow { "seSize", Size, nullptr, &TSkin::ClockSize },
    DesignerRow { "seTransparency", Transparency },
    DesignerRow { "cbDigPosition", ItemIndex, nullptr, &TSkin::DigPosition },
    DesignerRow { "seDigSize", Number, nullptr, &TSkin::DigSize },
    DesignerRow { "cbFontNames", Font },
    DesignerRow { "bbDigColor", Colour, &TSkin::DigColor },
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

int ShapeIndex(const TSkin& skin)
{
    if (!skin.Square)
        return 0;
    return skin.Rounded ? kRoundedIndex : 1;
}

void StoreShapeIndex(TSkin& skin, int index)
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
