#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringConverter>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The bytes of an INI file, read and changed by section and key. Section and
// key names match ignoring letter case; the first occurrence of a section
// counts. A change rewrites only the line of its key, or adds one: every
// other byte stays as it was, whatever its encoding (Windows-1252 text,
// binary content, mixed line ends). Lines are found, and the file read, only
// as far as a look-up needs, so a value near the start of a large file is
// found quickly. A file with a UTF-16 byte-order mark is read whole, and
// written back in UTF-16 with its mark.
class ProfileText {
public:
    // The next piece of the file; an empty one at its end.
    using PieceReader = std::function<QByteArray()>;

    explicit ProfileText(QByteArray bytes = QByteArray());
    explicit ProfileText(PieceReader readPiece);

    // The value of the key, unquoted and trimmed, or nothing when the key is
    // absent. Values in UTF-8 are read as such, others as Windows-1252.
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Sets the key's value (written in UTF-8). An existing key keeps its
    // line, as "key=value" with the key's spelling in the file; a line whose
    // value is already this one stays byte for byte. A new key goes after the
    // last entry of its section, a new section to the end of the file; new
    // lines end the way the line before them does ("\n" or "\r\n").
    void setValue(const QString& section, const QString& key, const QString& value);

    QByteArray bytes() const;

private:
    static std::optional<QStringConverter::Encoding> Utf16EncodingOf(QByteArrayView bytes);
    // Turns a UTF-16 source into UTF-8, noting its encoding for bytes().
    void takeUtf16();

    enum class LineEnd : std::uint8_t { None, Lf, CrLf };
    struct Line {
        qsizetype begin = 0;  // offset of the content in m_source, or index in m_added
        qsizetype length = 0; // length of the content, without the line end
        LineEnd end = LineEnd::None;
        bool added = false;   // the content is m_added[begin]
    };
    struct KeyPosition {
        qsizetype sectionLine = -1;   // header line of the section, -1 when absent
        qsizetype keyLine = -1;       // line of the key, -1 when absent
        qsizetype lastEntryLine = -1; // last non-blank line of the section
    };

    // Whether line index exists, finding lines (and reading pieces) up to it
    // when needed.
    bool hasLine(qsizetype index) const;
    void readToTheEnd() const;
    QByteArrayView content(const Line& line) const;
    KeyPosition locate(const QString& section, const QString& key) const;
    Line addedLine(QByteArray content, LineEnd end);
    // Gives the line after which others are inserted a line end, if it has
    // none; they end the way it does.
    LineEnd endLine(qsizetype index);

    // The file as far as it has been read; reading goes on while m_readPiece
    // is set.
    mutable QByteArray m_source;
    mutable PieceReader m_readPiece;
    std::vector<QByteArray> m_added;
    // The lines found so far; the rest of m_source from m_scanned on is not
    // split yet, and holds no line end before m_searched.
    mutable std::vector<Line> m_lines;
    mutable qsizetype m_scanned = 0;
    mutable qsizetype m_searched = 0;
    std::optional<QStringConverter::Encoding> m_utf16;
};
