#pragma once

#include "overlay/BandBrush.h"
#include "skins/Texture.h"

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class TextureChooser;
}
class ClockTextureBand;
class LiveSkin;

// The texture chooser, "Texture Editor": edits the clock's texture band in
// place, so the clock shows each choice at once — a hatch style, a pattern
// tile or a picture, the brush colour and the band's transparency. It works
// on the live skin's texture state; OK keeps what it shows, Cancel, Escape
// and the close box put the band and the state back as they were. It never
// changes the skin itself: the options window stores the choice after OK.
class TextureChooser : public QDialog {
    Q_OBJECT

public:
    // The style list's rows, and the sample each draws before its caption.
    static constexpr int kRowHeight = 16;
    static constexpr QSize kSwatchSize { 14, kRowHeight - 4 };
    static constexpr QSize kPreviewSize { 79, 59 };

    TextureChooser(QWidget* owner, ClockTextureBand& band, LiveSkin& liveSkin);
    ~TextureChooser() override;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    friend bool EditTexture(QWidget* owner, ClockTextureBand& band, LiveSkin& liveSkin);

    void placeAndSelect();
    // A row picked by the user.
    void pickStyle(int row);
    // Browse for a picture, or clear the brush's picture. Without the user's
    // click it reloads the remembered picture instead of browsing.
    void browseOrClearPicture(bool byUser);
    // Puts the band and the texture state back as they were when the
    // chooser opened.
    void restoreOpeningTexture();
    void onTransparencyChanged();
    void chooseColour();
    // The picture file the user chooses, or empty.
    QString browsePicture();
    // The remembered picture where it is now, or empty after telling the
    // user it is gone.
    QString rememberedPicture();
    void loadBrushPicture(const QString& path);
    void updatePictureButton();
    void updateColourButton();
    // Selects a row without picking it.
    void selectRow(int row);

    const std::unique_ptr<Ui::TextureChooser> ui;
    // The band whose brush is edited: the clock's own, not a copy.
    ClockTextureBand& m_band;
    const BandBrush m_openingBrush;
    LiveSkin& m_liveSkin;
    const TextureState m_openingTexture;
    // Whether Button1 clears the picture (else it browses for one).
    bool m_imageButtonClears = false;
    // The row last picked, which a click on it picks no second time.
    int m_pickedRow = -1;
    bool m_shown = false;
};

// Opens the chooser over owner, modal to it, on the clock's band; true when
// the user closed it with OK.
bool EditTexture(QWidget* owner, ClockTextureBand& band, LiveSkin& liveSkin);
