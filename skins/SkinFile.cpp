#include "skins/SkinFile.h"

#include "platform/AtomicFile.h"
#include "platform/FileNames.h"
#include "platform/IntegerText.h"
#include "platform/IoError.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr std::int32_t kDefaultMiddlePos = 50;

std::array<std::uint8_t, kSkinRecordSize> ReadFirstRecord(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Cannot open %1: %2").arg(fileName, file.errorString()));
    std::array<std::uint8_t, kSkinRecordSize> bytes {};
    const qint64 read = file.read(reinterpret_cast<char*>(bytes.data()), qint64(bytes.size()));
    if (read < 0)
        throw IoError(QStringLiteral("Cannot read %1: %2").arg(fileName, file.errorString()));
    if (read < qint64(bytes.size()))
        throw IoError(QStringLiteral("Read beyond end of file"));
    return bytes;
}

} // namespace

QString TexturesFolder(const QString& programFolder)
{
    return programFolder + QStringLiteral("Textures/");
}

QString SkinPathToRead(const QString& requested, const QString& programFolder)
{
    if (!requested.isEmpty() && QFileInfo(requested).isFile())
        return requested;
    return programFolder + QLatin1String(kDefaultSkinFileName);
}

bool ReadSkinFile(const QString& fileName, TSkin& loadBuffer, const SkinLoadOptions& options)
{
    if (!QFileInfo(fileName).isFile())
        return false;
    TSkin skin = ReadSkinRecord(ReadFirstRecord(fileName));

    if (skin.HourMiddlePos == 0)
        skin.HourMiddlePos = kDefaultMiddlePos;
    if (skin.MinMiddlePos == 0)
        skin.MinMiddlePos = kDefaultMiddlePos;
    if (options.keepClockSize && options.currentClockSize > 0)
        skin.ClockSize = options.currentClockSize;
    const QString texture = skin.Texture.text();
    if (!ParseInteger(texture) && !HasFolderPart(texture))
        skin.Texture.setText(TexturesFolder(options.programFolder) + texture);

    loadBuffer = skin;
    return true;
}

void SaveSkinFile(const QString& fileName, TSkin& skin, const QString& programFolder)
{
    const QString texture = skin.Texture.text();
    if (ExtractFilePath(texture) == TexturesFolder(programFolder))
        skin.Texture.setText(ExtractFileName(texture));
    const auto bytes = WriteSkinRecord(skin);
    WriteFileAtomically(fileName, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
}
