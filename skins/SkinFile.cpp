#include "skins/SkinFile.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/FileNames.h"
#include "platform/text/IntegerText.h"
#include "platform/files/IoError.h"
#include "platform/files/RegularFile.h"

#include <QFileInfo>

#include <algorithm>

namespace {

constexpr std::int32_t kDefaultMiddlePos = 50;

std::array<std::uint8_t, kSkinRecordSize> ReadFirstRecord(RegularFileReader& file, const QString& fileName)
{
    const QByteArray read = file.read(qint64(kSkinRecordSize));
    if (read.size() < qsizetype(kSkinRecordSize))
        throw IoError(QStringLiteral("%1: Read beyond end of file").arg(fileName));
    std::array<std::uint8_t, kSkinRecordSize> bytes {};
    std::copy(read.begin(), read.end(), bytes.begin());
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

Skin WithMiddlePositionsSet(Skin skin)
{
    if (skin.HourMiddlePos == 0)
        skin.HourMiddlePos = kDefaultMiddlePos;
    if (skin.MinMiddlePos == 0)
        skin.MinMiddlePos = kDefaultMiddlePos;
    return skin;
}

bool ReadSkinFile(const QString& fileName, Skin& loadBuffer, const SkinLoadOptions& options)
{
    // What is not a file (a folder, a FIFO, a device) counts as missing.
    if (!QFileInfo(fileName).isFile())
        return false;
    std::optional<RegularFileReader> file = RegularFileReader::Open(fileName);
    if (!file)
        return false;
    Skin skin = WithMiddlePositionsSet(ReadSkinRecord(ReadFirstRecord(*file, fileName)));
    if (options.keepClockSize && options.currentClockSize > 0)
        skin.ClockSize = options.currentClockSize;
    const QString texture = skin.Texture.text();
    if (!ParseInteger(texture) && !HasFolderPart(texture))
        skin.Texture.setText(TexturesFolder(options.programFolder) + texture);

    loadBuffer = skin;
    return true;
}

void SaveSkinFile(const QString& fileName, Skin& skin, const QString& programFolder)
{
    const QString texture = skin.Texture.text();
    if (ExtractFilePath(texture) == TexturesFolder(programFolder))
        skin.Texture.setText(ExtractFileName(texture));
    const auto bytes = WriteSkinRecord(skin);
    WriteFileAtomically(fileName, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
}
