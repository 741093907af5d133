#include "skins/SkinLimits.h"

#include <type_traits>

namespace {

struct NamedLimits {
    const char* field;
    SkinFieldLimits limits;
};

// The ranges of the designer's boxes and lists and of the texture chooser's
// transparency box.
constexpr NamedLimits kLimits[] = {
    { "MinMiddlePos", { 5, 95 } },
    { "OuterEdge", { 20, 90 } },
    { "HourMiddlePos", { 5, 95 } },
    { "InnerEdge", { 10, 80 } },
    { "TicsWidth", { 1, 20 } },
    { "SecStyle", { 0, 3 } },
    { "ClockSize", { 50, 1000 } },
    { "TextureTransparency", { 0, 100 } },
    { "DigPosition", { 0, 3 } },
    { "DigSize", { 5, 100 } },
    { "Transparency", { 0, 50 } },
};

constexpr SkinFieldLimits kColourLimits { 0, 0xFFFFFF };

// The edges of the bands may cross by one at most, as the designer's boxes
// bound each other.
constexpr int kEdgeCrossing = 1;

bool IsColour(const SkinField& field)
{
    return std::holds_alternative<TColor Skin::*>(field.member);
}

long long NumberOf(const Skin& skin, const SkinField& field)
{
    return std::visit(
        [&](auto member) -> long long {
            using Value = std::remove_cvref_t<decltype(skin.*member)>;
            if constexpr (std::is_integral_v<Value>)
                return (long long)(skin.*member);
            else
                return 0;
        },
        field.member);
}

QString RangeText(const SkinField& field, SkinFieldLimits limits)
{
    if (IsColour(field))
        return QStringLiteral("$000000..$FFFFFF");
    return QStringLiteral("%1..%2").arg(limits.minimum).arg(limits.maximum);
}

} // namespace

std::optional<SkinFieldLimits> DesignerLimits(const SkinField& field)
{
    if (IsColour(field))
        return kColourLimits;
    for (const NamedLimits& named : kLimits)
        if (QLatin1String(named.field) == QLatin1String(field.name))
            return named.limits;
    return std::nullopt;
}

QStringList SkinLimitProblems(const Skin& skin, const QStringList& fields)
{
    const auto looked = [&fields](const char* name) { return fields.isEmpty() || fields.contains(QLatin1String(name)); };
    QStringList problems;
    for (const SkinField& field : kSkinFields) {
        const std::optional<SkinFieldLimits> limits = DesignerLimits(field);
        if (!field.isSetting || !limits || !looked(field.name))
            continue;
        const long long value = NumberOf(skin, field);
        if (value < limits->minimum || value > limits->maximum)
            problems << QStringLiteral("%1=%2 is outside the range the designer offers (%3)")
                            .arg(QLatin1String(field.name), FormatSkinField(skin, field), RangeText(field, *limits));
    }
    if ((looked("InnerEdge") || looked("OuterEdge")) && skin.InnerEdge > skin.OuterEdge + kEdgeCrossing)
        problems << QStringLiteral("InnerEdge=%1 lies above OuterEdge=%2: the hour band must end no more than %3 "
                                   "above where the minute band begins")
                        .arg(skin.InnerEdge)
                        .arg(skin.OuterEdge)
                        .arg(kEdgeCrossing);
    return problems;
}
