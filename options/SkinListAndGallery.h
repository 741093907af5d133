#pragma once

#include "options/SkinGallery.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class ClockView;
class GalleryThumbnail;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QScrollArea;
class QWidget;
class OptionsWindow;

// The skins of the program folder in the options window: the skin list of
// the bottom strip (cbSettings), "Save skin as..." with its snapshot, and
// the "Skins Gallery" page, a table of thumbnails of the skins' snapshots.
// Picking a skin in the list or clicking its thumbnail loads it, and the
// clock shows it at once.
class SkinListAndGallery : public QObject, public SkinGallery {
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

    SkinListAndGallery(OptionsWindow& options, const Controls& controls);
    ~SkinListAndGallery() override;

    // Snapshots show the readout in the format the clock shows it in;
    // "Save skin as..." is offered once the clock is linked here.
    void SetClockView(ClockView* view);

    // The program folder's skins, sorted by name ignoring letter case, the
    // current skin selected.
    void RefillSkinList() override;
    // A thumbnail for every snapshot in the Screenshots folder that has a
    // skin of its name in the list, however many there are. What cannot be
    // shown (a missing folder, a snapshot that cannot be decoded) is told in
    // one message after the rest is built.
    void BuildGallery() override;

    // The thumbnails shown, in the table's order.
    const std::vector<GalleryThumbnail*>& Thumbs() const { return m_thumbs; }

private:
    QStringList ListedNames() const;
    void cbSettingsChange();
    void sbSaveSettingsClick();
    void ThumbClick(const GalleryThumbnail& thumb);
    // Renders the clock of Skin off screen and writes it as the snapshot of
    // the skin file name; a failure is shown.
    void TakeSnapshot(const QString& name);
    void FreeThumbs();

    OptionsWindow& m_options;
    QComboBox& m_cbSettings;
    QAbstractButton& m_sbSaveSettings;
    QCheckBox& m_chkSnapshot;
    QScrollArea& m_scrollBox;
    // Holds the thumbnails inside the scroll box.
    QWidget* const m_table;
    ClockView* m_clockView = nullptr;
    std::vector<GalleryThumbnail*> m_thumbs;
};
