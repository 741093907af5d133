#pragma once

#include "alarms/AlarmEditorValues.h"
#include "alarms/AlarmStore.h"
#include "alarms/ui/AlarmEditing.h"
#include "alarms/ui/AlarmEditorFields.h"
#include "platform/dialogs/Dialogs.h"

#include <QWidget>

#include <array>
#include <memory>
#include <functional>
#include <optional>
#include <vector>

class AlarmPresenter;
class AlarmSchedule;
class QAction;
class ElidedButton;
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
    void setPresenter(AlarmPresenter* presenter) { m_presenter = presenter; }
    // The schedule whose pending snoozes the rows show ("snoozed until
    // 7: 15 am") and the list's "Cancel snooze" ends.
    void setSchedule(AlarmSchedule* schedule);

    void resetPickers() override;
    void selectFirstIfNone() override;
    void setTimeFormat(bool twelveHour) override;
    bool isEditing() const override;
    void endEditing() override;

    // Writes every row anew from its record, as of now (a new day, a
    // clock set forward or back).
    void rewriteRows();

    void toggleEditing();
    void createAlarm();
    void deleteSelectedAlarm();
    void onShowKindChosen();
    void onSoundToggled();
    void onMonthlyRuleChosen();
    void choosePicture();
    void chooseSound();
    void chooseDocument();
    void testAlarm();
    // The selected alarm in the editor, as a click or a key in the list
    // selects it.
    void showSelectedAlarm();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Writes the alarm's row from its record: name, check box, type, alarm
    // time, next date to ring.
    void writeRow(AlarmId id);
    void showAlarm(AlarmId id);
    void storeEdit(AlarmId id);
    void bindFields();
    void setUpToolBarAndPickers();
    void setUpNameField();
    void cancelSelectedSnooze();
    void updateSnoozeAction();
    void setUpList();
    void connectControls();
    void followStore();
    AlarmEditorValues controlValues() const;
    void showValues(const AlarmEditorValues& values);
    void showShowKindControls();
    void setEditingState(bool editing);
    // A spin box takes typed text only when it loses the focus, which the
    // tool bar's buttons never take: the edit's end does it for them.
    void commitTypedValues();
    void rebuildList();
    // Appends the alarm's row; a blank one (no text, check box clear) for
    // an alarm about to be edited, until writeRow.
    enum class Row { Written, Blank };
    void addRow(AlarmId id, Row row);
    void writeRow(QTreeWidgetItem& row, TDateTime now);
    void onAlarmAdded(AlarmId id);
    void onAlarmChanged(AlarmId id);
    void onAlarmRemoved(AlarmId id);
    // A check box of the list changed.
    void onRowChanged(QTreeWidgetItem* row, int column);
    QTreeWidgetItem* rowOf(AlarmId id) const;
    static AlarmId idOf(const QTreeWidgetItem& row);
    // The alarm of the selected row; kNoAlarm when none is selected.
    AlarmId selectedAlarm() const;
    void selectRow(AlarmId id);
    // The alarm being edited, as stored; null when none is.
    const AlarmRecord* editedAlarm() const;
    // Changes the edited alarm's record at once; nothing without one.
    void changeEditedAlarm(const std::function<void(AlarmRecord&)>& change);
    // What a file button shows of the chosen file.
    enum class Caption { FileName, WholePath };
    // Asks for a file of the edited alarm and stores it (Cancel clears it);
    // nothing without an edited alarm. Paths are cut to the field.
    void chooseAlarmFile(const OpenFileRequest& request, ShortString<180> AlarmRecord::*file, ElidedButton& button,
        Caption caption);
    std::array<QTimeEdit*, 4> timePickers() const;

    AlarmStore& m_store;
    AlarmPresenter* m_presenter = nullptr;
    AlarmSchedule* m_schedule = nullptr;
    QAction* m_cancelSnooze = nullptr;
    // The controls the table of AlarmEditorFields binds, in its order.
    struct BoundField {
        const AlarmEditorField& field;
        QWidget* control;
    };
    std::vector<BoundField> m_fields;
    AlarmId m_editedId = kNoAlarm;
    bool m_twelveHour = false;
    // The editor itself is changing the store: its own rows need no word
    // from the store.
    bool m_changingStore = false;
    // Rows are being written: their check boxes change without the user.
    bool m_writingRows = false;
};
