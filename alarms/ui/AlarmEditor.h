#pragma once

#include "alarms/AlarmEditorValues.h"
#include "alarms/AlarmStore.h"
#include "alarms/ui/AlarmEditing.h"
#include "platform/dialogs/Dialogs.h"

#include <QWidget>

#include <array>
#include <memory>
#include <functional>
#include <optional>

class AlarmPresenter;
class ElidedButton;
class QCheckBox;
class QTimeEdit;
class QTreeWidgetItem;
namespace Ui {
class AlarmEditor;
}

// The alarm editor on the options window's Alarms page: the list of the
// store's alarms (each row knows its alarm by identity), a tool bar to
// create, delete and edit them, the four mode pages and the " Show " group.
// The list follows every change of the store.
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
    // The list mirrors the store's records; its check boxes are the store's
    // Enabled choices.
    explicit AlarmEditor(AlarmStore& store, QWidget* parent = nullptr);
    ~AlarmEditor() override;

    // Who presents an alarm for "Test It"; until one is set it does nothing.
    void setPresenter(AlarmPresenter* presenter) { FPresenter = presenter; }

    void InitEditor() override;
    void SelectFirstIfNone() override;
    void SetTimeFormat(bool twelveHour) override;
    bool IsEditing() const override;
    void EndEditing() override;

    // Writes the alarm's row from its record: name, check box, type, alarm
    // time, next date to ring.
    void RefreshRow(AlarmId id);
    void RecordToEditor(AlarmId id);
    void EditorToRecord(AlarmId id);

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
    void FollowStore();
    AlarmEditorValues ControlValues() const;
    void ShowValues(const AlarmEditorValues& values);
    void ShowAudioPicControls();
    void SetEditingState(bool editing);
    // A spin box takes typed text only when it loses the focus, which the
    // tool bar's buttons never take: the edit's end does it for them.
    void CommitTypedValues();
    void RebuildList();
    // Appends the alarm's row; a blank one (no text, check box clear) for
    // an alarm about to be edited, until RefreshRow.
    enum class Row { Written, Blank };
    void AddRow(AlarmId id, Row row);
    void RefreshRow(QTreeWidgetItem& row, TDateTime now);
    void AlarmAdded(AlarmId id);
    void AlarmChanged(AlarmId id);
    void AlarmRemoved(AlarmId id);
    // A check box of the list changed.
    void RowChanged(QTreeWidgetItem* row, int column);
    QTreeWidgetItem* RowOf(AlarmId id) const;
    static AlarmId IdOf(const QTreeWidgetItem& row);
    // The alarm of the selected row; kNoAlarm when none is selected.
    AlarmId SelectedAlarm() const;
    void SelectRow(AlarmId id);
    // The alarm being edited, as stored; null when none is.
    const TAlarmRec* EditedAlarm() const;
    // Changes the edited alarm's record at once; nothing without one.
    void ChangeEditedAlarm(const std::function<void(TAlarmRec&)>& change);
    // What a file button shows of the chosen file.
    enum class Caption { FileName, WholePath };
    // Asks for a file of the edited alarm and stores it (Cancel clears it);
    // nothing without an edited alarm. Paths are cut to the field.
    void ChooseAlarmFile(const OpenFileRequest& request, ShortString<180> TAlarmRec::*file, ElidedButton& button,
        Caption caption);
    std::array<QTimeEdit*, 4> TimePickers() const;

    AlarmStore& FAlarmStore;
    AlarmPresenter* FPresenter = nullptr;
    std::array<QCheckBox*, 7> WeekdayBoxes {}; // Monday..Sunday
    std::array<QCheckBox*, 12> MonthBoxes {}; // January..December
    AlarmId FEditedId = kNoAlarm;
    bool Use12h = false;
    // The editor itself is changing the store: its own rows need no word
    // from the store.
    bool FChangingStore = false;
    // Rows are being written: their check boxes change without the user.
    bool FWritingRows = false;
};
