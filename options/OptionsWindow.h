#pragma once

#include <QDialog>
#include <QString>

#include <memory>
#include <optional>

namespace Ui {
class OptionsWindow;
}
class AlarmEditing;
class ClockCommands;
class ClockSettingsFile;
class ClockTextureBand;
class DesignerPage;
class LiveSkin;
class SkinListAndGallery;

// The options window: the skin designer, the gallery, the alarm editor and
// the help text. It edits the live skin and the clock's settings, which the
// clock follows at once; nothing is written to disk until "Done" or "Save
// skin as...". It asks the program to save and to close the clock through
// ClockCommands. Leaving the window by "Done", "Close Clock" or its close
// button settles unsaved skin edits first; Escape closes it and leaves them
// on the clock.
class OptionsWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr int kGalleryPage = 1;
    static constexpr int kAlarmsPage = 2;

    OptionsWindow(LiveSkin& liveSkin, ClockSettingsFile& settings, ClockCommands& clock);
    ~OptionsWindow() override;

    // The alarm editor fills the Alarms page; the window owns its frame and
    // asks it what AlarmEditing offers.
    void placeAlarmEditor(QWidget* frame, AlarmEditing& editing);
    // The clock's texture band, for the texture chooser; until it is
    // linked, " Texture" is not offered.
    void setClockBand(ClockTextureBand* band);

    // Makes the Alarms page the current one.
    void showAlarmsPage();
    // Shows the window, or brings it to the front when it is open; it
    // blocks neither the clock nor the tray icon. Returns at once.
    void openOrRaise();

    // When the skin on the clock differs from its file, asks the user to
    // save, save as, discard or go back; returns whether the skin may be
    // left (false: go back).
    bool settleSkinEdits();

    // The program's manual, a page shipped beside the executable.
    static QString ManualFile();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void styleWindow();
    void connectControls();
    // Every showing and activation: the skin list, the font list and the
    // controls refilled, the alarm editor's pickers reset.
    void onActivated();
    // The permanent options as the settings hold them.
    void showSettings();
    void showReadoutFormat();
    void editTexture();
    // "Done": the alarm being edited is stored, everything saved, and the
    // window closes.
    void saveAndClose();
    void closeClock();
    void revertSkin();
    // Revert is offered while the skin differs from its file.
    void showRevertable();
    void endAlarmEditing();
    void onPageChanged(int index);
    void openManual();

    const std::unique_ptr<Ui::OptionsWindow> ui;
    LiveSkin& m_liveSkin;
    ClockSettingsFile& m_settings;
    ClockCommands& m_clock;
    DesignerPage* m_designer = nullptr;
    SkinListAndGallery* m_skinList = nullptr;
    AlarmEditing* m_alarmEditor = nullptr;
    ClockTextureBand* m_clockBand = nullptr;
    // The readout format the alarm editor shows its times in.
    std::optional<int> m_editorReadoutFormat;
    // Shown, and refilled for it, but not yet activated: the activation
    // that follows has nothing to refill.
    bool m_refilledOnShow = false;
};
