#pragma once

#include <QObject>
#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

class ClockSettingsFile;
class GalleryThumbnail;
class LiveSkin;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QScrollArea;
class QWidget;

// The skins of the program folder in the options window: the skin list of
// the bottom strip (cbSettings), "Save skin as..." with its snapshot, and
// the "Skins Gallery" page, a table of thumbnails of the skins' snapshots
// with their names, the skin in effect framed, walked by the arrow keys.
// Picking a skin in the list or clicking its thumbnail loads it into the
// live skin, and the clock shows it at once; unsaved edits of the skin are
// settled first.
class SkinListAndGallery : public QObject {
    Q_OBJECT

public:
    // The options window's controls it runs.
    struct Controls {
        QComboBox& cbSettings;
        QAbstractButton& sbSaveSettings;
        QCheckBox& chkSnapshot;
        // Fills the gallery page.
        QScrollArea& ScrollBox1;
    };

    // Snapshots show the readout in the format the settings choose.
    SkinListAndGallery(LiveSkin& liveSkin, const ClockSettingsFile& settings, const Controls& controls, QObject* parent);
    ~SkinListAndGallery() override;

    // The program folder's skins, sorted by name ignoring letter case, the
    // current skin selected.
    void refillSkinList();
    // A thumbnail for every skin of the list: its snapshot in the
    // Screenshots folder, else its clock drawn now. Snapshots that cannot be
    // decoded are told in one message after the rest is built.
    void buildGallery();

    // When the live skin differs from its file, asks whether to save it
    // there, save it as a new skin, discard the edits or go back, and does
    // it. Returns whether the skin may now be left: false for "go back" and
    // for a save that was cancelled or failed (and shown).
    bool settleUnsavedSkin();

    // The thumbnails shown, in the table's order.
    const std::vector<GalleryThumbnail*>& thumbs() const { return m_thumbs; }

private:
    QStringList listedNames() const;
    void loadListedSkin();
    // Where "save" writes the live skin.
    QString fileToSaveTo() const;
    // Each returns whether the skin was saved; a failure is shown.
    bool saveSkin();
    bool saveSkinAs();
    bool saveSkinTo(const QString& name);
    void loadThumbnailsSkin(const GalleryThumbnail& thumb);
    void addThumb(const QImage& picture, const QString& file, const QString& skinName);
    // The snapshot of a listed skin that has none, drawn off screen; a null
    // image when the skin cannot be read.
    QImage drawnSnapshot(const QString& skinName) const;
    // Gives the keyboard focus to the thumbnail in slot, if there is one,
    // and scrolls it into view.
    void focusThumb(int slot);
    // Renders the clock of the live skin off screen and writes it as the
    // snapshot of the skin file name; a failure is shown.
    void takeSnapshot(const QString& name);
    void freeThumbs();

    LiveSkin& m_liveSkin;
    const ClockSettingsFile& m_settings;
    QComboBox& m_cbSettings;
    QAbstractButton& m_sbSaveSettings;
    QCheckBox& m_chkSnapshot;
    QScrollArea& m_scrollBox;
    // Holds the thumbnails inside the scroll box.
    QWidget* const m_table;
    std::vector<GalleryThumbnail*> m_thumbs;
};
