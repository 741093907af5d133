#include "platform/profile/ProfileText.h"

#include "platform/text/Windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>
#include <algorithm>
#include <utility>

namespace {

constexpr QByteArrayView kLf("\n");
constexpr QByteArrayView kCrLf("\r\n");

bool IsAscii(QByteArrayView bytes)
{
    for (const char byte : bytes)
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    return true;
}

// Texts in UTF-8 as such; anything else, as written by older programs, as
// Windows-1252.
QString DecodeText(QByteArrayView bytes)
{
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeWindows1252(reinterpret_cast<const std::uint8_t*>(bytes.data()), std::size_t(bytes.size()));
}

bool SameName(QByteArrayView bytes, const QString& name)
{
    return DecodeText(bytes).compare(name, Qt::CaseInsensitive) == 0;
}

// The name of a section header ("[Name]"), or nothing for other lines.
std::optional<QByteArrayView> SectionOf(QByteArrayView line)
{
    const QByteArrayView trimmed = line.trimmed();
    if (!trimmed.startsWith('['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(']');
    return (close < 0 ? trimmed.sliced(1) : trimmed.sliced(1, close - 1)).trimmed();
}

bool IsComment(QByteArrayView line)
{
    const QByteArrayView trimmed = line.trimmed();
    return trimmed.startsWith(';') || trimmed.startsWith('#');
}

// The key of a "key=value" line, or nothing for other lines.
std::optional<QByteArrayView> KeyOf(QByteArrayView line)
{
    const qsizetype equals = line.indexOf('=');
    if (equals < 0 || IsComment(line))
        return std::nullopt;
    return line.first(equals).trimmed();
}

QByteArrayView UnquotedValue(QByteArrayView line)
{
    QByteArrayView value = line.sliced(line.indexOf('=') + 1).trimmed();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return value;
}

} // namespace

ProfileText::ProfileText(QByteArray bytes) : m_source(std::move(bytes))
{
    takeUtf16();
}

ProfileText::ProfileText(PieceReader readPiece)
{
    // The first piece tells a UTF-16 file, which is read whole and worked on
    // as UTF-8.
    m_source = readPiece();
    if (!m_source.isEmpty())
        m_readPiece = std::move(readPiece);
    if (Utf16EncodingOf(m_source)) {
        readToTheEnd();
        takeUtf16();
    }
}

std::optional<QStringConverter::Encoding> ProfileText::Utf16EncodingOf(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return QStringConverter::Utf16LE;
    if (bytes.startsWith("\xFE\xFF"))
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

void ProfileText::takeUtf16()
{
    m_utf16 = Utf16EncodingOf(m_source);
    if (!m_utf16)
        return;
    QStringDecoder utf16(*m_utf16); // skips the byte-order mark
    m_source = QString(utf16(m_source)).toUtf8();
}

bool ProfileText::hasLine(qsizetype index) const
{
    while (qsizetype(m_lines.size()) <= index) {
        m_searched = std::max(m_searched, m_scanned);
        const auto* newline = static_cast<const char*>(
            std::memchr(m_source.constData() + m_searched, '\n', std::size_t(m_source.size() - m_searched)));
        if (!newline && m_readPiece) {
            // The line may go on in the next piece.
            m_searched = m_source.size();
            if (const QByteArray piece = m_readPiece(); !piece.isEmpty())
                m_source.append(piece);
            else
                m_readPiece = nullptr;
            continue;
        }
        if (m_scanned >= m_source.size())
            break;
        const char* start = m_source.constData() + m_scanned;
        Line line { m_scanned, 0, LineEnd::None, false };
        if (!newline) {
            line.length = m_source.size() - m_scanned;
            m_scanned = m_source.size();
        } else {
            line.length = newline - start;
            line.end = LineEnd::Lf;
            if (line.length > 0 && newline[-1] == '\r') {
                --line.length;
                line.end = LineEnd::CrLf;
            }
            m_scanned += (newline - start) + 1;
        }
        m_lines.push_back(line);
    }
    return index < qsizetype(m_lines.size());
}

void ProfileText::readToTheEnd() const
{
    while (m_readPiece) {
        if (const QByteArray piece = m_readPiece(); !piece.isEmpty())
            m_source.append(piece);
        else
            m_readPiece = nullptr;
    }
}

QByteArrayView ProfileText::content(const Line& line) const
{
    if (line.added)
        return m_added[std::size_t(line.begin)];
    return QByteArrayView(m_source.constData() + line.begin, line.length);
}

ProfileText::KeyPosition ProfileText::locate(const QString& section, const QString& key) const
{
    KeyPosition position;
    bool inSection = false;
    for (qsizetype i = 0; hasLine(i); ++i) {
        const QByteArrayView line = content(m_lines[std::size_t(i)]);
        if (const auto name = SectionOf(line)) {
            if (inSection)
                break; // a section's first occurrence is the one that counts
            inSection = SameName(*name, section);
            if (inSection)
                position.sectionLine = position.lastEntryLine = i;
            continue;
        }
        if (!inSection)
            continue;
        if (!line.trimmed().isEmpty())
            position.lastEntryLine = i;
        if (const auto name = KeyOf(line); name && SameName(*name, key)) {
            position.keyLine = i;
            break;
        }
    }
    return position;
}

std::optional<QString> ProfileText::value(const QString& section, const QString& key) const
{
    const KeyPosition position = locate(section, key);
    if (position.keyLine < 0)
        return std::nullopt;
    return DecodeText(UnquotedValue(content(m_lines[std::size_t(position.keyLine)])));
}

void ProfileText::setValue(const QString& section, const QString& key, const QString& value)
{
    const KeyPosition position = locate(section, key);
    const QByteArray entry = key.toUtf8() + '=' + value.toUtf8();
    if (position.keyLine >= 0) {
        Line& line = m_lines[std::size_t(position.keyLine)];
        const QByteArrayView text = content(line);
        if (DecodeText(UnquotedValue(text)) == value)
            return;
        line = addedLine(text.first(text.indexOf('=')).trimmed().toByteArray() + '=' + value.toUtf8(), line.end);
    } else if (position.sectionLine >= 0) {
        const LineEnd end = endLine(position.lastEntryLine);
        m_lines.insert(m_lines.begin() + position.lastEntryLine + 1, addedLine(entry, end));
    } else {
        // Every line has been found: the section is nowhere in the file.
        LineEnd end = LineEnd::Lf;
        if (!m_lines.empty()) {
            end = endLine(qsizetype(m_lines.size()) - 1);
            if (!content(m_lines.back()).trimmed().isEmpty())
                m_lines.push_back(addedLine(QByteArray(), end));
        }
        m_lines.push_back(addedLine('[' + section.toUtf8() + ']', end));
        m_lines.push_back(addedLine(entry, end));
    }
}

ProfileText::Line ProfileText::addedLine(QByteArray content, LineEnd end)
{
    m_added.push_back(std::move(content));
    return Line { qsizetype(m_added.size()) - 1, 0, end, true };
}

ProfileText::LineEnd ProfileText::endLine(qsizetype index)
{
    Line& line = m_lines[std::size_t(index)];
    // An unended last line takes the line end of the file's first line.
    if (line.end == LineEnd::None)
        line.end = index > 0 && m_lines.front().end == LineEnd::CrLf ? LineEnd::CrLf : LineEnd::Lf;
    return line.end;
}

QByteArray ProfileText::bytes() const
{
    readToTheEnd();
    const QByteArrayView source(m_source);
    QByteArray result;
    result.reserve(m_source.size());
    // Runs of lines as they are in the source are copied as one piece.
    qsizetype runStart = -1;
    qsizetype runEnd = -1;
    const auto flushRun = [&] {
        if (runStart >= 0)
            result.append(source.sliced(runStart, runEnd - runStart));
        runStart = -1;
    };
    for (const Line& line : m_lines) {
        const QByteArrayView end = line.end == LineEnd::CrLf ? kCrLf : line.end == LineEnd::Lf ? kLf : QByteArrayView();
        const qsizetype contentEnd = line.begin + line.length;
        if (!line.added && source.sliced(contentEnd).startsWith(end)) {
            if (runStart < 0 || runEnd != line.begin) {
                flushRun();
                runStart = line.begin;
            }
            runEnd = contentEnd + end.size();
            continue;
        }
        flushRun();
        result.append(content(line));
        result.append(end);
    }
    flushRun();
    // What no look-up needed to split is copied as it is.
    result.append(source.sliced(m_scanned));
    if (!m_utf16)
        return result;
    QStringEncoder utf16(*m_utf16, QStringConverter::Flag::WriteBom);
    return utf16(QString::fromUtf8(result));
}
