#include "platform/profile/ProfileFile.h"

#include "platform/text/IntegerText.h"
#include "platform/files/IoError.h"
#include "platform/profile/ProfileText.h"
#include "platform/files/RegularFile.h"

#include <algorithm>
#include <utility>

namespace {

constexpr qint64 kReadPieceSize = 64 * 1024;

// Nothing when there is no file; throws IoError when it is refused.
std::optional<RegularFileReader> OpenToRead(const QString& fileName)
{
    std::optional<RegularFileReader> file = RegularFileReader::Open(fileName);
    if (file)
        file->refuseLargerThan(ProfileFile::kMaxFileSize);
    return file;
}

} // namespace

ProfileFile::ProfileFile(QString fileName) : m_fileName(std::move(fileName)) {}

QString ProfileFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    std::optional<QString> value;
    try {
        if (std::optional<RegularFileReader> file = OpenToRead(m_fileName)) {
            // Read only as far as the look-up goes.
            ProfileText text([&file, left = kMaxFileSize]() mutable {
                QByteArray piece = file->read(std::min(kReadPieceSize, left));
                left -= piece.size();
                return piece;
            });
            value = text.value(section, key);
        }
    } catch (const IoError&) {
        // Reported once through ReadProblem; every key reads as its default.
    }
    return value.value_or(defaultValue).left(kMaxValueLength);
}

int ProfileFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    return ParseInteger(ReadString(section, key, QString())).value_or(defaultValue);
}

bool ProfileFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QString ProfileFile::ReadProblem() const
{
    try {
        OpenToRead(m_fileName);
    } catch (const IoError& error) {
        return error.message();
    }
    return QString();
}
