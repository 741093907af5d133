#pragma once

#include "options/ClockOptions.h"
#include "skins/Skin.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace Ui {
class OptionsWindow;
}
class AlarmEditing;
class AlarmStore;
class ClockCommands;
class ClockView;
class ColorButton;
class SkinGallery;
class SkinListAndGallery;

// The options window: the skin designer, the gallery, the alarm editor and
// the help text. The designer edits the live Skin and the clock follows at
// once; nothing is written to disk until "Done" or "Save skin as...". It
// reaches the clock through ClockCommands and offers the clock ClockOptions.
// The alarm store it works on belongs to the program.
class OptionsWindow : public QDialog, public ClockOptions {
    Q_OBJECT

public:
    static constexpr int kGalleryPage = 1;
    static constexpr int kAlarmsPage = 2;

    OptionsWindow(ClockCommands& clock, AlarmStore& alarms);
    ~OptionsWindow() override;

    // The alarm editor on the Alarms page and the skin list with its gallery
    // link themselves here; until they do, the window asks nothing of them.
    void SetAlarmEditor(AlarmEditing* editor) { FAlarmEditor = editor; }
    // The alarm editor's frame fills the Alarms page; the window owns it.
    void PlaceOnAlarmsPage(QWidget* frame);
    void SetSkinGallery(SkinGallery* gallery) { FGallery = gallery; }
    // The clock's texture band and readout, for the texture chooser and the
    // skins' snapshots; until it is linked, " Texture" and "Save skin as..."
    // are not offered.
    void SetClockView(ClockView* view);
    // While non-zero, turning to the gallery page does not rebuild the
    // gallery (a snapshot is being taken).
    int GalleryPageTag = 0;

    bool KeepLastPosition() const override;
    void SetKeepLastPosition(bool keep) override;
    bool KeepSize() const override;
    void SetKeepSize(bool keep) override;
    bool StayOnTop() const override;
    void SetStayOnTop(bool onTop) override;
    int DigFormatIndex() const override;
    void SetDigFormatIndex(int index) override;
    void StepSize(int step) override;

    void LoadSkin(const QString& fileName) override;
    bool ReadSkinFile(const QString& fileName);
    // Writes Skin; an empty name means SkinFileOrDefault.
    void SaveSkin(const QString& fileName);
    QString SkinFileOrDefault() const override;
    // The current skin is now the one saved under this name.
    void SetSkinFile(const QString& fileName) { FSkinFile = fileName; }

    void SkinToControls() override;
    void ControlsToSkin();
    void SaveAlarms() override;

    void ShowAlarmsPage() override;
    void OpenOrRaise() override;

    // The activation step: refills the skin list and, for a real activation
    // of the window (not the one after saving a skin), the font list and
    // the controls; then resets the alarm editor.
    void FormActivate(bool realActivation);

    // The program's manual, a page shipped beside the executable.
    static QString ManualFile();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct BoundRow;

    void FormCreate();
    void BindDesignerRows();
    // The shared change handler of the designer's controls; a colour button
    // as sender first lets the user choose its colour.
    void bbHourStCClick(QObject* sender);
    void seInnerEdgeChange();
    void seOuterEdgeChange();
    // The band boundaries can cross by one at most: each box bounds the
    // other.
    void BoundOuterEdge();
    void BoundInnerEdge();
    // Opens the texture chooser on the clock's band and, after OK, stores
    // its choice into Skin's texture fields.
    void bbPatternClick();
    void OKBtnClick(QObject* sender);
    void bbCloseClick();
    void rgDigFormatClick();
    void FormKeyPress(QChar key);
    void PageControl1Change(int index);
    void StatusBar1Click();
    // The installed screen fonts, sorted, none selected.
    void FillFontNames();
    void SelectFont(const QString& font);

    const std::unique_ptr<Ui::OptionsWindow> ui;
    ClockCommands& FClock;
    bool FUpdating = false;
    QString FSkinFile;
    TSkin FLoadBuffer {};
    AlarmStore& FAlarmStore;
    AlarmEditing* FAlarmEditor = nullptr;
    SkinGallery* FGallery = nullptr;
    ClockView* FClockView = nullptr;
    SkinListAndGallery* FSkinList = nullptr;
    std::vector<BoundRow> FDesignerRows;
    int FInnerEdgeFormMaximum = 0;
    int FOuterEdgeFormMinimum = 0;
};
