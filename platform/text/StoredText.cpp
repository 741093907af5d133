#include "platform/text/StoredText.h"

#include "platform/text/Windows1252.h"

#include <QStringDecoder>

#include <optional>

namespace {

bool IsUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    return !utf8.hasError();
}

} // namespace

QByteArray EncodeStoredText(const QString& text)
{
    // Western bytes are kept unless they would read as marked UTF-8: a text
    // that starts with the mark's own character and goes on in bytes that
    // are not UTF-8 (as a damaged file holds) reads back as it is.
    const std::optional<QByteArray> western = EncodeWindows1252(text);
    if (western
        && (western->isEmpty() || std::uint8_t(western->front()) != kUtf8TextMark || !IsUtf8(QByteArrayView(*western).sliced(1))))
        return *western;
    return char(kUtf8TextMark) + text.toUtf8();
}

QString DecodeStoredText(const std::uint8_t* bytes, std::size_t count)
{
    if (count > 0 && bytes[0] == kUtf8TextMark) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(QByteArrayView(bytes + 1, qsizetype(count - 1)));
        if (!utf8.hasError())
            return text;
    }
    return DecodeWindows1252(bytes, count);
}

QString StoredTextLimit(const QString& field, std::size_t capacity)
{
    // The mark takes one byte; Cyrillic and Greek letters two bytes of
    // UTF-8, Chinese and Japanese characters three.
    const std::size_t utf8Bytes = capacity > 0 ? capacity - 1 : 0;
    return QStringLiteral("%1 holds at most %2 Western European characters, or %3 Cyrillic or Greek, or %4 Chinese or Japanese.")
        .arg(field)
        .arg(capacity)
        .arg(utf8Bytes / 2)
        .arg(utf8Bytes / 3);
}
