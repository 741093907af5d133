#include "skins/SkinFields.h"

#include "platform/text/StoredText.h"

#include <QColor>

#include <limits>
#include <optional>
#include <type_traits>

namespace {

QString OutOfRange(const SkinField& field, const QString& text, const QString& expected)
{
    return QStringLiteral("%1: the value \"%2\" does not fit (%3)").arg(QLatin1String(field.name), text, expected);
}

// Integers in decimal or hexadecimal ($ or 0x), wide enough for the full
// unsigned range of colours ("$FFFFFFFF").
std::optional<long long> ParseWide(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    long long value = 0;
    if (trimmed.startsWith(u'$'))
        value = trimmed.mid(1).toLongLong(&ok, 16);
    else if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = trimmed.mid(2).toLongLong(&ok, 16);
    else
        value = trimmed.toLongLong(&ok, 10);
    return ok ? std::optional<long long>(value) : std::nullopt;
}

// A colour as $BBGGRR (the form "skin show" prints), a number, #RRGGBB or a
// colour name ("red", "navy").
std::optional<long long> ParseColour(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(u'#') || (!trimmed.isEmpty() && trimmed.front().isLetter() && !trimmed.startsWith(QLatin1String("0x")))) {
        const QColor colour = QColor::fromString(trimmed);
        if (!colour.isValid() || (trimmed.startsWith(u'#') && trimmed.size() != 7))
            return std::nullopt;
        return (long long)(colour.red() | colour.green() << 8 | colour.blue() << 16);
    }
    return ParseWide(trimmed);
}

} // namespace

QString FormatSkinField(const Skin& skin, const SkinField& field)
{
    return std::visit(
        [&](auto member) -> QString {
            const auto& value = skin.*member;
            using Value = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, TColor>)
                return u'$' + QStringLiteral("%1").arg(value, value > 0xFFFFFF ? 8 : 6, 16, QLatin1Char('0')).toUpper();
            else if constexpr (std::is_same_v<Value, bool>)
                return value ? QStringLiteral("1") : QStringLiteral("0");
            else if constexpr (std::is_integral_v<Value>)
                return QString::number(value);
            else if constexpr (requires { value.text(); })
                return value.text();
            else
                return QByteArray(reinterpret_cast<const char*>(value.data()), qsizetype(value.size())).toHex();
        },
        field.member);
}

QString ParseSkinField(Skin& skin, const SkinField& field, const QString& text)
{
    if (!field.isSetting)
        return QStringLiteral("%1 is not a setting of the skin").arg(QLatin1String(field.name));
    return std::visit(
        [&](auto member) -> QString {
            auto& value = skin.*member;
            using Value = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, TColor>) {
                const auto parsed = ParseColour(text);
                if (!parsed || *parsed < 0 || *parsed > (long long)std::numeric_limits<TColor>::max())
                    return QStringLiteral("%1: \"%2\" is not a colour; write $BBGGRR (blue, green, red, as \"skin show\" "
                                          "prints it), #RRGGBB or a name such as red or navy")
                        .arg(QLatin1String(field.name), text);
                value = TColor(*parsed);
            } else if constexpr (std::is_same_v<Value, bool>) {
                if (text != u"0" && text != u"1")
                    return OutOfRange(field, text, QStringLiteral("0 or 1"));
                value = text == u"1";
            } else if constexpr (std::is_integral_v<Value>) {
                const auto parsed = ParseWide(text);
                if (!parsed || *parsed < (long long)std::numeric_limits<Value>::min() || *parsed > (long long)std::numeric_limits<Value>::max())
                    return OutOfRange(field, text,
                        QStringLiteral("%1..%2").arg(std::numeric_limits<Value>::min()).arg(std::numeric_limits<Value>::max()));
                value = Value(*parsed);
            } else if constexpr (requires { value.setText(text); }) {
                if (!value.setText(text))
                    return QStringLiteral("%1: the value \"%2\" is too long. %3")
                        .arg(QLatin1String(field.name), text, StoredTextLimit(QLatin1String(field.name), Value::kCapacity));
            }
            return QString();
        },
        field.member);
}

const SkinField* FindSkinField(const QString& name)
{
    for (const SkinField& field : kSkinFields)
        if (name == QLatin1String(field.name))
            return &field;
    return nullptr;
}
