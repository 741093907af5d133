#pragma once

#include "options/ClockOptions.h"
#include "skins/Skin.h"

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class frmOptions;
}
class AlarmEditor;
class AlarmStore;
class ClockCommands;

// The options window: the skin designer, the gallery, the alarm editor and
// the help text. The designer edits the live Skin and the clock follows at
// once; nothing is written to disk until "Done" or "Save skin as...". It
// reaches the clock through ClockCommands and offers the clock ClockOptions.
// The alarm store it works on belongs to the program.
class TfrmOptions : public QDialog, public ClockOptions {
    Q_OBJECT

public:
    TfrmOptions(ClockCommands& clock, AlarmStore& alarms);
    ~TfrmOptions() override;

    // Puts the alarm editor's frame on the Alarms page (the window owns it
    // from then on) and tells the editor what it needs to know: the edit
    // under way ends with "Done" and with every save of the store, the page
    // turned to, the readout's 12- or 24-hour choice, each activation.
    void PlaceAlarmEditor(QWidget* frame, AlarmEditor& editor);

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

    void SkinToControls() override;
    void ControlsToSkin();
    void SaveAlarms() override;

    void ShowAlarmsPage() override;
    void OpenOrRaise() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void bbHourStCClick();
    void OKBtnClick(QObject* sender);
    void bbCloseClick();
    void rgDigFormatClick();
    void PageControl1Change(int index);

    const std::unique_ptr<Ui::frmOptions> ui;
    ClockCommands& FClock;
    bool FUpdating = false;
    QString FSkinFile;
    TSkin FLoadBuffer {};
    AlarmStore& FAlarmStore;
    AlarmEditor* FAlarmFrame = nullptr;
};
