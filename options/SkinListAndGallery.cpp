#include "options/SkinListAndGallery.h"

#include "clock/ClockSettings.h"
#include "clock/ClockSnapshot.h"
#include "options/GalleryThumbnail.h"
#include "options/UnsavedSkinQuestion.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/files/FolderListing.h"
#include "platform/files/IoError.h"
#include "platform/text/LocalClock.h"
#include "platform/pictures/PictureLoader.h"
#include "platform/files/ProgramFolder.h"
#include "skins/LiveSkin.h"
#include "skins/SkinFile.h"
#include "skins/SkinList.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace {

// A wheel notch or an arrow click scrolls a quarter of a row.
constexpr int kScrollStep = kThumbRowPitch / 4;

void SetGalleryBackground(QWidget& widget)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, ToQColor(kGalleryColor));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

QString Native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

SkinListAndGallery::SkinListAndGallery(LiveSkin& liveSkin, const ClockSettingsFile& settings, const Controls& controls,
    QObject* parent)
    : QObject(parent)
    , m_liveSkin(liveSkin)
    , m_settings(settings)
    , m_cbSettings(controls.cbSettings)
    , m_sbSaveSettings(controls.sbSaveSettings)
    , m_chkSnapshot(controls.chkSnapshot)
    , m_scrollBox(controls.ScrollBox1)
    , m_table(new QWidget)
{
    m_scrollBox.setWidget(m_table);
    m_scrollBox.setCursor(Qt::PointingHandCursor);
    SetGalleryBackground(*m_scrollBox.viewport());
    SetGalleryBackground(*m_table);
    m_scrollBox.verticalScrollBar()->setSingleStep(kScrollStep);
    m_scrollBox.verticalScrollBar()->setTracking(true);
    m_table->resize(0, 0);

    connect(&m_cbSettings, &QComboBox::currentIndexChanged, this, &SkinListAndGallery::loadListedSkin);
    connect(&m_sbSaveSettings, &QAbstractButton::clicked, this, &SkinListAndGallery::saveSkinAs);
}

SkinListAndGallery::~SkinListAndGallery() = default;

void SkinListAndGallery::refillSkinList()
{
    QStringList files;
    // A program folder that cannot be listed leaves the list empty; a
    // message here would come back at every activation of the window.
    try {
        files = ListFolder(ProgramFolder(), QLatin1String(kSkinFilePattern));
    } catch (const IoError&) {
    }
    const QStringList names = SkinNames(files);
    const QSignalBlocker quiet(m_cbSettings);
    m_cbSettings.clear();
    m_cbSettings.addItems(names);
    m_cbSettings.setCurrentIndex(SkinNameIndex(names, m_liveSkin.fileOrDefault()));
}

QStringList SkinListAndGallery::listedNames() const
{
    QStringList names;
    for (int i = 0; i < m_cbSettings.count(); ++i)
        names << m_cbSettings.itemText(i);
    return names;
}

void SkinListAndGallery::loadListedSkin()
{
    if (m_cbSettings.currentIndex() < 0)
        return;
    if (!settleUnsavedSkin()) {
        const QSignalBlocker quiet(m_cbSettings);
        m_cbSettings.setCurrentIndex(SkinNameIndex(listedNames(), m_liveSkin.fileOrDefault()));
        return;
    }
    try {
        // A skin shows at its own size; "Keep last clock size" keeps a size
        // the user chose, not one that came with an earlier skin.
        const std::optional<int> size = m_settings.settings().keepSize && m_liveSkin.sizeChosenByUser()
            ? std::optional(m_liveSkin.skin().ClockSize)
            : std::nullopt;
        m_liveSkin.load(ProgramFolder() + m_cbSettings.currentText() + QStringLiteral(".clk"), size);
    } catch (const IoError& error) {
        ShowError(error.message());
    }
}

bool SkinListAndGallery::settleUnsavedSkin()
{
    const bool clockSizeKept = m_settings.settings().keepSize;
    if (!m_liveSkin.isModified(clockSizeKept))
        return true;
    switch (AskAboutUnsavedSkin({ m_liveSkin.fileOrDefault(), fileToSaveTo() })) {
    case UnsavedSkinAnswer::Save:
        return saveSkin();
    case UnsavedSkinAnswer::SaveAs:
        return saveSkinAs();
    case UnsavedSkinAnswer::Discard:
        m_liveSkin.revert(clockSizeKept);
        return true;
    case UnsavedSkinAnswer::GoBack:
        break;
    }
    return false;
}

QString SkinListAndGallery::fileToSaveTo() const
{
    // A skin that came with the program is saved as the user's copy.
    return SkinFileToSaveTo(m_liveSkin.fileOrDefault(), ProgramFolder(), ShippedFolder());
}

bool SkinListAndGallery::saveSkin()
{
    return saveSkinTo(fileToSaveTo());
}

bool SkinListAndGallery::saveSkinAs()
{
    // A new name, never the open file, and a question before any file is
    // replaced.
    const std::optional<QString> name = ChooseFileToSave({ QStringLiteral("Save skin as"),
        UnusedSkinFileName(fileToSaveTo()), QStringLiteral("Clock Setting (*.clk)"), QStringLiteral("clk"), true });
    return name && saveSkinTo(*name);
}

bool SkinListAndGallery::saveSkinTo(const QString& name)
{
    try {
        m_liveSkin.saveAs(name);
    } catch (const IoError& error) {
        ShowError(error.message());
        return false;
    }
    refillSkinList();
    if (m_chkSnapshot.isChecked())
        takeSnapshot(name);
    return true;
}

void SkinListAndGallery::takeSnapshot(const QString& name)
{
    const QString folder = ScreenshotsFolder(ProgramFolder());
    try {
        if (!QDir().mkpath(folder))
            throw IoError(tr("The folder %1 cannot be made.").arg(Native(folder)));
        WriteSnapshot(SnapshotFile(name, ProgramFolder()),
            SnapshotPicture(m_liveSkin.skin(), CurrentLocalDateTime(), m_settings.settings().readoutFormat(),
                m_scrollBox.logicalDpiY())
                .Image);
    } catch (const MessageError& error) {
        ShowError(tr("The skin is saved, but its snapshot could not be written.\n\n%1").arg(error.message()));
    }
}

void SkinListAndGallery::freeThumbs()
{
    for (GalleryThumbnail* thumb : m_thumbs)
        delete thumb;
    m_thumbs.clear();
    m_table->resize(0, 0);
}

void SkinListAndGallery::buildGallery()
{
    freeThumbs();
    const QString folder = ScreenshotsFolder(ProgramFolder());
    QStringList snapshots;
    try {
        // No folder: every skin is drawn here.
        if (QFileInfo(folder).isDir())
            snapshots = ListFolder(folder, QLatin1String(kSnapshotFilePattern));
    } catch (const IoError& error) {
        ShowError(error.message());
    }

    QStringList failures;
    const QStringList names = listedNames();
    std::vector<bool> shown(std::size_t(names.size()), false);
    for (const QString& file : SnapshotsWithSkin(snapshots, names)) {
        QImage snapshot;
        try {
            snapshot = LoadPicture(folder + file, QSize(kThumbSide, kThumbSide));
        } catch (const MessageError& error) {
            failures << error.message();
            continue;
        }
        const int skin = SkinNameIndex(names, file);
        shown[std::size_t(skin)] = true;
        addThumb(snapshot, file, names[skin]);
    }
    // A skin without a snapshot is drawn now, off screen, as "Save skin as"
    // draws its snapshot; nothing is written.
    for (qsizetype skin = 0; skin < names.size(); ++skin)
        if (!shown[std::size_t(skin)])
            if (const QImage drawn = drawnSnapshot(names[skin]); !drawn.isNull())
                addThumb(drawn, names[skin] + QStringLiteral(".clk"), names[skin]);
    if (!m_thumbs.empty()) {
        const int rows = (int(m_thumbs.size()) + kThumbColumns - 1) / kThumbColumns;
        m_table->resize(kThumbColumns * kThumbPitch - (kThumbPitch - kThumbSide), rows * kThumbRowPitch - (kThumbPitch - kThumbSide));
        // The keys start from the skin in effect.
        const auto current = std::find_if(m_thumbs.begin(), m_thumbs.end(), [](const GalleryThumbnail* t) { return t->isCurrent(); });
        focusThumb(current == m_thumbs.end() ? 0 : int(current - m_thumbs.begin()));
    }
    if (!failures.isEmpty())
        ShowError(tr("These snapshots cannot be shown; their skins are drawn in their place:\n\n%1")
                      .arg(failures.join(QStringLiteral("\n\n"))));
}

void SkinListAndGallery::addThumb(const QImage& picture, const QString& file, const QString& skinName)
{
    auto* thumb = new GalleryThumbnail(picture, file, skinName, kThumbSide, m_table);
    thumb->setCurrent(SkinNameIndex({ skinName }, m_liveSkin.fileOrDefault()) == 0);
    thumb->move(ThumbPosition(int(m_thumbs.size())));
    thumb->show();
    connect(thumb, &GalleryThumbnail::clicked, this, [this, thumb] { loadThumbnailsSkin(*thumb); });
    connect(thumb, &GalleryThumbnail::stepFocus, this,
        [this, slot = int(m_thumbs.size())](int columns, int rows) { focusThumb(slot + columns + rows * kThumbColumns); });
    m_thumbs.push_back(thumb);
}

QImage SkinListAndGallery::drawnSnapshot(const QString& skinName) const
{
    Skin skin;
    try {
        if (!ReadSkinFile(ProgramFolder() + skinName + QStringLiteral(".clk"), skin, { false, 0, ProgramFolder() }))
            return QImage();
    } catch (const IoError&) {
        // A skin that cannot be read has no picture; choosing it says why.
        return QImage();
    }
    return SnapshotPicture(skin, CurrentLocalDateTime(), m_settings.settings().readoutFormat(), m_scrollBox.logicalDpiY()).Image;
}

void SkinListAndGallery::focusThumb(int slot)
{
    if (slot < 0 || slot >= int(m_thumbs.size()))
        return;
    m_thumbs[std::size_t(slot)]->setFocus();
    m_scrollBox.ensureWidgetVisible(m_thumbs[std::size_t(slot)], 0, 0);
}

void SkinListAndGallery::loadThumbnailsSkin(const GalleryThumbnail& thumb)
{
    const int index = SkinNameIndex(listedNames(), thumb.fileName());
    if (index < 0)
        return;
    {
        const QSignalBlocker quiet(m_cbSettings);
        m_cbSettings.setCurrentIndex(index);
    }
    loadListedSkin();
    for (GalleryThumbnail* shown : m_thumbs)
        shown->setCurrent(SkinNameIndex({ shown->skinName() }, m_liveSkin.fileOrDefault()) == 0);
}
