#include "platform/profile/ProfileUpdate.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/IoError.h"
#include "platform/profile/ProfileFile.h"
#include "platform/profile/ProfileText.h"
#include "platform/files/RegularFile.h"

#include <optional>
#include <utility>

ProfileUpdate::ProfileUpdate(QString fileName) : m_fileName(std::move(fileName)) {}

void ProfileUpdate::WriteString(const QString& section, const QString& key, const QString& value)
{
    m_writes.push_back({ section, key, value });
}

void ProfileUpdate::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void ProfileUpdate::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void ProfileUpdate::Commit() const
{
    // Errors name the file and say why: "Unable to write to <file>: <reason>",
    // also when the reason is that it could not be read first.
    std::optional<QByteArray> existing;
    try {
        existing = ReadRegularFile(m_fileName, ProfileFile::kMaxFileSize);
    } catch (const IoError& error) {
        const QString readPrefix = QStringLiteral("Cannot read %1: ").arg(m_fileName);
        const QString reason = error.message().startsWith(readPrefix) ? error.message().mid(readPrefix.size()) : error.message();
        throw IoError(QStringLiteral("Unable to write to %1: %2").arg(m_fileName, reason));
    }
    ProfileText text(existing.value_or(QByteArray()));
    for (const Write& write : m_writes)
        text.setValue(write.section, write.key, write.value);
    WriteFileAtomically(m_fileName, text.bytes());
}
