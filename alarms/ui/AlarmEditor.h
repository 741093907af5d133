#pragma once

#include "alarms/AlarmEditorValues.h"
#include "alarms/AlarmSchedule.h"
#include "options/AlarmEditing.h"
#include "platform/dialogs/Dialogs.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class AlarmStore;
class ElidedButton;
class QCheckBox;
class QTimeEdit;
namespace Ui {
class AlarmEditor;
}

// The alarm editor on the options window's Alarms page: the list of alarms
// (row i shows record i of the store), a tool bar to create, delete and edit
// them, the four mode pages and the " Show " group.
//
// While browsing, the list and the tool bar work and the pages are off;
// while editing, the reverse. The file choices and the Audio-Pic/Open Doc
// choice reach the edited record at once, everything else when the edit
// ends. An edit always has an alarm: it starts only on a selected row, and
// when that alarm goes away meanwhile (a one-time alarm rang and deleted
// itself) the edit ends without storing.
class AlarmEditor : public QWidget, public AlarmEditing {
    Q_OBJECT

    // Built first: the controls below point into it.
    const std::unique_ptr<Ui::AlarmEditor> ui;

public:
    // The frame hooks itself into the store: its list mirrors the store's
    // records, its check boxes give their Enabled at each save.
    explicit AlarmEditor(AlarmStore& store, QWidget* parent = nullptr);
    ~AlarmEditor() override;

    // Who presents an alarm for "Test It"; until one is set it does nothing.
    void setPresenter(AlarmPresenter presenter) { FPresenter = std::move(presenter); }

    void InitEditor() override;
    void SelectFirstIfNone() override;
    void SetTimeFormat(bool twelveHour) override;
    bool IsEditing() const override;
    void EndEditing() override;

    // Appends a blank row: no text, check box clear, until RefreshRow.
    void AddRow();
    // Writes row index from its record: name, check box, type, alarm time,
    // next date to ring.
    void RefreshRow(int index);
    void RecordToEditor(int index);
    void EditorToRecord(int index);

    void tbEditSelectedClick();
    void tbNewAlarmClick();
    void tbDeleteAlarmClick();
    void rbAudioPicClick();
    void chkSoundClick();
    void rbMonthlyDayClick();
    void bbVisualFileClick();
    void bbSoundFileClick();
    void bbDocFileClick();
    void btnAlarmTestClick();
    void lvAlarmsClick();
    void lvAlarmsKeyUp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpToolBarAndPickers();
    void SetUpList();
    void ConnectHandlers();
    void HookIntoStore();
    AlarmEditorValues ControlValues() const;
    void ShowValues(const AlarmEditorValues& values);
    void ShowAudioPicControls();
    void SetEditingState(bool editing);
    // A spin box takes typed text only when it loses the focus, which the
    // tool bar's buttons never take: the edit's end does it for them.
    void CommitTypedValues();
    void RebuildList();
    void RefreshRow(int index, TDateTime now);
    void AlarmDeleted(int index);
    int SelectedRow() const;
    void SelectRow(int index);
    bool IsAlarmRow(int index) const;
    // The alarm being edited; null when none is.
    TAlarmRec* EditedAlarm();
    std::optional<bool> RowEnabled(int index) const;
    // What a file button shows of the chosen file.
    enum class Caption { FileName, WholePath };
    // Asks for a file of the edited alarm and stores it (Cancel clears it);
    // nothing without an edited alarm. Paths are cut to the field.
    void ChooseAlarmFile(const OpenFileRequest& request, ShortString<180> TAlarmRec::*file, ElidedButton& button,
        Caption caption);
    std::array<QTimeEdit*, 4> TimePickers() const;

    AlarmStore& FAlarmStore;
    AlarmPresenter FPresenter;
    std::array<QCheckBox*, 7> WeekdayBoxes {}; // Monday..Sunday
    std::array<QCheckBox*, 12> MonthBoxes {}; // January..December
    int EditIndex = -1;
    bool Use12h = false;
};
