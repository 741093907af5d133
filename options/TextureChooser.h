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

    void FormShow();
    // A row picked by the user.
    void LStyleClick(int row);
    // Browse for a picture, or clear the brush's picture. Without the user's
    // click it reloads the remembered picture instead of browsing.
    void Button1Click(bool byUser);
    // Puts the band and the texture state back as they were when the
    // chooser opened.
    void Button3Click();
    void SpinEdit1Change();
    void BColorClick();
    // The picture file the user chooses, or empty.
    QString BrowseBitmap();
    // The remembered picture where it is now, or empty after telling the
    // user it is gone.
    QString RememberedPicture();
    void LoadBrushPicture(const QString& path);
    void UpdateImageButton();
    void UpdateColorButton();
    // Selects a row without picking it.
    void SelectRow(int row);

    const std::unique_ptr<Ui::TextureChooser> ui;
    // The band whose brush is edited: the clock's own, not a copy.
    ClockTextureBand& EditedBrush;
    const BandBrush SavedBrush;
    LiveSkin& FLiveSkin;
    const TextureState FOpeningTexture;
    // Whether Button1 clears the picture (else it browses for one).
    bool FButton1Clears = false;
    // The row last picked, which a click on it picks no second time.
    int FPickedRow = -1;
    bool FShown = false;
};

// Opens the chooser over owner, modal to it, on the clock's band; true when
// the user closed it with OK.
bool EditTexture(QWidget* owner, ClockTextureBand& band, LiveSkin& liveSkin);
