#pragma once

#include "alarms/AlarmSchedule.h"
#include "alarms/AlarmStore.h"
#include "skins/Skin.h"

#include <QDialog>
#include <QString>

namespace Ui {
class frmOptions;
}
class TfrmDerAvo;

// The options window: the skin designer, the gallery, the alarm editor and
// the help text. The designer edits the live Skin and the clock follows at
// once; nothing is written to disk until "Done" or "Save skin as...".
class TfrmOptions : public QDialog {
    Q_OBJECT

public:
    explicit TfrmOptions(TfrmDerAvo* clockWindow);
    ~TfrmOptions() override;

    // The form's controls; the clock window reads and sets the permanent
    // options and steps the size box.
    Ui::frmOptions* const ui;

    // Reads the named skin (or "default.clk" when it is missing) into Skin,
    // remembers the name and has the clock redraw.
    void LoadSkin(const QString& fileName);
    bool ReadSkinFile(const QString& fileName);
    // Writes Skin; an empty name means SkinFileOrDefault.
    void SaveSkin(const QString& fileName);
    QString SkinFileOrDefault() const;

    void SkinToControls();
    void ControlsToSkin();

    // The readout format choice: 0 "AM/PM", 1 "24", -1 none.
    int DigFormatIndex() const;
    void SetDigFormatIndex(int index);

    // The alarm store, read when this window is created, and its schedule,
    // which the clock's tick polls; the alarm editor's page works on both.
    AlarmStore& alarmStore() { return FAlarmStore; }
    AlarmSchedule& alarmSchedule() { return FAlarmSchedule; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void bbHourStCClick();
    void OKBtnClick(QObject* sender);
    void bbCloseClick();

    TfrmDerAvo* const FClock;
    bool FUpdating = false;
    QString FSkinFile;
    TSkin FLoadBuffer {};
    AlarmStore FAlarmStore;
    AlarmSchedule FAlarmSchedule { FAlarmStore };
};
