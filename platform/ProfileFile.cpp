#include "platform/ProfileFile.h"

#include "platform/AtomicFile.h"
#include "platform/IntegerText.h"
#include "platform/IoError.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <optional>
#include <utility>

namespace {

struct ProfileLines {
    QStringList lines;
    QString lineEnd = QStringLiteral("\n");
};

// The lines of the file, or nothing when it does not exist or cannot be read.
std::optional<ProfileLines> ReadLines(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString content = QString::fromUtf8(file.readAll());
    ProfileLines result;
    if (content.contains(QStringLiteral("\r\n")))
        result.lineEnd = QStringLiteral("\r\n");
    result.lines = content.split(QRegularExpression(QStringLiteral("\r?\n")));
    if (!result.lines.isEmpty() && result.lines.last().isEmpty())
        result.lines.removeLast();
    return result;
}

// The section named by a header line ("[Name]"), or nothing for other lines.
std::optional<QString> SectionOf(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    return (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
}

bool IsComment(const QString& line)
{
    const QString trimmed = line.trimmed();
    return trimmed.startsWith(u';') || trimmed.startsWith(u'#');
}

// The key of a "key=value" line, or nothing for other lines.
std::optional<QString> KeyOf(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0 || IsComment(line))
        return std::nullopt;
    return line.left(equals).trimmed();
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

struct KeyPosition {
    qsizetype sectionLine = -1; // header line of the section, -1 when absent
    qsizetype keyLine = -1;     // line of the key, -1 when absent
    qsizetype lastEntryLine = -1; // last non-blank line of the section
};

KeyPosition Locate(const QStringList& lines, const QString& section, const QString& key)
{
    KeyPosition position;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = SectionOf(lines[i])) {
            if (inSection)
                break; // a section's first occurrence is the one that counts
            inSection = SameName(*name, section);
            if (inSection)
                position.sectionLine = position.lastEntryLine = i;
            continue;
        }
        if (!inSection)
            continue;
        if (!lines[i].trimmed().isEmpty())
            position.lastEntryLine = i;
        if (const auto name = KeyOf(lines[i]); name && SameName(*name, key)) {
            position.keyLine = i;
            break;
        }
    }
    return position;
}

QString UnquotedValue(const QString& line)
{
    QString value = line.mid(line.indexOf(u'=') + 1).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.left(ProfileFile::kMaxValueLength);
}

} // namespace

ProfileFile::ProfileFile(QString fileName) : m_fileName(std::move(fileName)) {}

QString ProfileFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const std::optional<ProfileLines> file = ReadLines(m_fileName);
    if (!file)
        return defaultValue.left(kMaxValueLength);
    const KeyPosition position = Locate(file->lines, section, key);
    if (position.keyLine < 0)
        return defaultValue.left(kMaxValueLength);
    return UnquotedValue(file->lines[position.keyLine]);
}

int ProfileFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    return ParseInteger(ReadString(section, key, QString())).value_or(defaultValue);
}

bool ProfileFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void ProfileFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    ProfileLines file;
    if (QFile::exists(m_fileName)) {
        // A file that is there but cannot be read must not be replaced by one
        // holding only this value.
        std::optional<ProfileLines> existing = ReadLines(m_fileName);
        if (!existing)
            throw IoError(QStringLiteral("Unable to write to %1").arg(m_fileName));
        file = std::move(*existing);
    }

    const KeyPosition position = Locate(file.lines, section, key);
    if (position.keyLine >= 0) {
        const QString& line = file.lines[position.keyLine];
        file.lines[position.keyLine] = line.left(line.indexOf(u'=')).trimmed() + u'=' + value;
    } else if (position.sectionLine >= 0) {
        file.lines.insert(position.lastEntryLine + 1, key + u'=' + value);
    } else {
        if (!file.lines.isEmpty() && !file.lines.last().trimmed().isEmpty())
            file.lines.append(QString());
        file.lines.append(u'[' + section + u']');
        file.lines.append(key + u'=' + value);
    }
    WriteFileAtomically(m_fileName, (file.lines.join(file.lineEnd) + file.lineEnd).toUtf8());
}

void ProfileFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void ProfileFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
