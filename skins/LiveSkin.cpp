#include "skins/LiveSkin.h"

#include "platform/files/ProgramFolder.h"
#include "platform/files/IoError.h"
#include "skins/SkinFile.h"
#include "skins/SkinList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

LiveSkin::LiveSkin(QObject* parent) : QObject(parent), m_skin(DefaultSkin()), m_fileSkin(m_skin) {}

QString LiveSkin::fileOrDefault() const
{
    return m_fileName.isEmpty() ? ProgramFolder() + QLatin1String(kDefaultSkinFileName) : m_fileName;
}

bool LiveSkin::isModified(bool clockSizeKept) const
{
    if (!clockSizeKept)
        return m_skin != m_fileSkin;
    Skin sized = m_fileSkin;
    sized.ClockSize = m_skin.ClockSize;
    return m_skin != sized;
}

void LiveSkin::edit(const Skin& skin)
{
    if (skin.ClockSize != m_skin.ClockSize)
        m_sizeChosenByUser = true;
    m_skin = skin;
    emit changed();
}

void LiveSkin::load(const QString& fileName, std::optional<int> clockSize)
{
    // Read at its own size, so that the size the clock keeps is known to
    // differ from it or not.
    const SkinLoadOptions options { false, 0, ProgramFolder() };
    Skin loaded;
    bool read = false;
    try {
        read = ReadSkinFile(SkinPathToRead(fileName, ProgramFolder()), loaded, options);
    } catch (...) {
        // The skin stays, at the size the clock is to keep.
        if (clockSize > 0)
            m_skin.ClockSize = m_fileSkin.ClockSize = *clockSize;
        throw;
    }
    const std::int32_t ownSize = read ? loaded.ClockSize : m_skin.ClockSize;
    if (read)
        m_skin = loaded;
    if (clockSize > 0)
        m_skin.ClockSize = *clockSize;
    // A size kept other than the skin's own was the user's.
    m_sizeChosenByUser = clockSize > 0 && *clockSize != ownSize;
    m_fileSkin = m_skin;
    // An empty setting reaches here as the program folder itself: no skin
    // file was named, so the skin is the default one.
    m_fileName = QFileInfo(fileName).isDir() ? QString() : fileName;
    emit changed();
}

void LiveSkin::saveAs(const QString& fileName)
{
    SaveSkinFile(fileName, m_skin, ProgramFolder());
    m_fileName = fileName;
    m_fileSkin = m_skin;
    emit saved();
}

void LiveSkin::revert(bool clockSizeKept)
{
    const std::int32_t size = m_skin.ClockSize;
    m_skin = m_fileSkin;
    if (clockSizeKept)
        m_skin.ClockSize = size;
    emit changed();
}

void LiveSkin::keepDraft() const
{
    const QString draft = SkinDraftFile(fileOrDefault(), ProgramFolder());
    if (!QDir().mkpath(QFileInfo(draft).path()))
        throw IoError(QStringLiteral("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(QFileInfo(draft).path())));
    Skin skin = m_skin;
    SaveSkinFile(draft, skin, ProgramFolder());
}

bool LiveSkin::hasDraft() const
{
    return QFileInfo(SkinDraftFile(fileOrDefault(), ProgramFolder())).isFile();
}

void LiveSkin::restoreDraft()
{
    const QString draft = SkinDraftFile(fileOrDefault(), ProgramFolder());
    Skin skin;
    if (!ReadSkinFile(draft, skin, { false, 0, ProgramFolder() }))
        return;
    QFile::remove(draft);
    edit(skin);
}

void LiveSkin::discardDraft()
{
    QFile::remove(SkinDraftFile(fileOrDefault(), ProgramFolder()));
}

void LiveSkin::storeShownTexture(const QString& texture, TColor colour, int transparency)
{
    m_skin.Texture.setText(texture);
    m_skin.TextureColor = colour;
    m_skin.TextureTransparency = transparency;
}

void LiveSkin::setFoundTexture(const decltype(Skin::Texture)& texture)
{
    if (m_fileSkin.Texture == m_skin.Texture)
        m_fileSkin.Texture = texture;
    m_skin.Texture = texture;
}
