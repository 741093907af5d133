#include "alarms/ui/AlarmEditor.h"

#include "alarms/AlarmListText.h"
#include "alarms/AlarmPresenter.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/files/FileNames.h"
#include "platform/text/LocalClock.h"
#include "platform/pictures/PictureLoader.h"
#include "platform/files/ProgramFolder.h"
#include "ui_AlarmEditor.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QScopedValueRollback>

#include <initializer_list>
#include <utility>

namespace {

enum Column { kNameColumn, kTypeColumn, kTimeColumn, kNextDateColumn };
constexpr int kTypeWidth = 70;
constexpr int kTimeWidth = 85;
constexpr int kNextDateWidth = 110;
// The identity of the row's alarm.
constexpr int kAlarmIdRole = Qt::UserRole;

const QColor kListBackground(255, 255, 240);
const QColor kToolBarBackground(242, 242, 242);
// Designer forms know point sizes only.
constexpr int kToolBarFontPixels = 15;
constexpr int kTimePickerFontPixels = 13;

const QString kTwelveHourPicker = QStringLiteral("h: mm AP");
const QString kTwentyFourHourPicker = QStringLiteral("H: mm");

std::unique_ptr<Ui::AlarmEditor> BuildForm(QWidget* frame)
{
    auto ui = std::make_unique<Ui::AlarmEditor>();
    ui->setupUi(frame);
    return ui;
}

QString AlarmFolder()
{
    return ProgramFolder() + QStringLiteral("Alarm/");
}

QString PictureFilter()
{
    QStringList patterns;
    for (const QString& extension : PictureExtensions())
        patterns.append(QStringLiteral("*.") + extension);
    return QStringLiteral("Pictures (%1);;All files (*)").arg(patterns.join(u' '));
}

QTime ToTheMinute(const QTime& time)
{
    return QTime(time.hour(), time.minute());
}

} // namespace

AlarmEditor::AlarmEditor(AlarmStore& store, QWidget* parent)
    : QWidget(parent)
    , ui(BuildForm(this))
    , FAlarmStore(store)
{
    WeekdayBoxes = { ui->chkMonday, ui->chkTuesday, ui->chkWednesday, ui->chkThursday, ui->chkFriday, ui->chkSaturday,
        ui->chkSunday };
    MonthBoxes = { ui->chkJan, ui->chkFeb, ui->chkMar, ui->chkApr, ui->chkMay, ui->chkJun, ui->chkJul, ui->chkAug,
        ui->chkSep, ui->chkOct, ui->chkNov, ui->chkDec };
    SetUpToolBarAndPickers();
    SetUpList();
    ConnectHandlers();
    FollowStore();
    RebuildList();
}

void AlarmEditor::SetUpToolBarAndPickers()
{
    QPalette toolBarPalette = ui->ToolBar1->palette();
    toolBarPalette.setColor(QPalette::Window, kToolBarBackground);
    ui->ToolBar1->setPalette(toolBarPalette);
    QFont toolBarFont(QStringLiteral("Arial"));
    toolBarFont.setPixelSize(kToolBarFontPixels);
    ui->ToolBar1->setFont(toolBarFont);
    for (QTimeEdit* picker : TimePickers()) {
        QFont font = picker->font();
        font.setPixelSize(kTimePickerFontPixels);
        picker->setFont(font);
    }
    // Only the arrows change the day of the month.
    if (auto* dayText = ui->seMonthlyDay->findChild<QLineEdit*>())
        dayText->setReadOnly(true);
    for (QSpinBox* interval : { ui->seEveryNdays, ui->seEveryNweeks })
        interval->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

void AlarmEditor::SetUpList()
{
    QPalette listPalette = ui->lvAlarms->palette();
    listPalette.setColor(QPalette::Base, kListBackground);
    // The selection stays visible when the list has no focus.
    for (const QPalette::ColorRole role : { QPalette::Highlight, QPalette::HighlightedText })
        listPalette.setColor(QPalette::Inactive, role, listPalette.color(QPalette::Active, role));
    ui->lvAlarms->setPalette(listPalette);
    QHeaderView* header = ui->lvAlarms->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    for (const auto& [column, width] : { std::pair(kTypeColumn, kTypeWidth), std::pair(kTimeColumn, kTimeWidth),
             std::pair(kNextDateColumn, std::max(kNextDateWidth, header->sectionSizeHint(kNextDateColumn))) }) {
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        header->resizeSection(column, width);
    }
    ui->lvAlarms->installEventFilter(this);
}

AlarmEditor::~AlarmEditor() = default;

void AlarmEditor::ConnectHandlers()
{
    connect(ui->tbNewAlarm, &QToolButton::clicked, this, &AlarmEditor::tbNewAlarmClick);
    connect(ui->tbDeleteAlarm, &QToolButton::clicked, this, &AlarmEditor::tbDeleteAlarmClick);
    connect(ui->tbEditSelected, &QToolButton::clicked, this, &AlarmEditor::tbEditSelectedClick);
    connect(ui->rbAudioPic, &QRadioButton::clicked, this, &AlarmEditor::rbAudioPicClick);
    connect(ui->rbDoc, &QRadioButton::clicked, this, &AlarmEditor::rbAudioPicClick);
    connect(ui->chkSound, &QCheckBox::toggled, this, &AlarmEditor::chkSoundClick);
    connect(ui->rbMonthlyDay, &QRadioButton::toggled, this, &AlarmEditor::rbMonthlyDayClick);
    connect(ui->bbVisualFile, &QPushButton::clicked, this, &AlarmEditor::bbVisualFileClick);
    connect(ui->bbSoundFile, &QPushButton::clicked, this, &AlarmEditor::bbSoundFileClick);
    connect(ui->bbDocFile, &QPushButton::clicked, this, &AlarmEditor::bbDocFileClick);
    connect(ui->btnAlarmTest, &QPushButton::clicked, this, &AlarmEditor::btnAlarmTestClick);
    connect(ui->lvAlarms, &QTreeWidget::clicked, this, &AlarmEditor::lvAlarmsClick);
    connect(ui->lvAlarms, &QTreeWidget::itemChanged, this, &AlarmEditor::RowChanged);
}

void AlarmEditor::FollowStore()
{
    connect(&FAlarmStore, &AlarmStore::listChanged, this, &AlarmEditor::RebuildList);
    connect(&FAlarmStore, &AlarmStore::alarmAdded, this, &AlarmEditor::AlarmAdded);
    connect(&FAlarmStore, &AlarmStore::alarmChanged, this, &AlarmEditor::AlarmChanged);
    connect(&FAlarmStore, &AlarmStore::alarmRemoved, this, &AlarmEditor::AlarmRemoved);
}

std::array<QTimeEdit*, 4> AlarmEditor::TimePickers() const
{
    return { ui->TimePickerOnce, ui->TimePickerDaily, ui->TimePickerWeekly, ui->TimePickerMonthly };
}

void AlarmEditor::InitEditor()
{
    const QDateTime now = CurrentLocalDateTime();
    const QDate today = now.date();
    const QLocale locale;
    ui->rbOnceToday->setText(QStringLiteral("Today ") + locale.toString(today, QLocale::ShortFormat));
    ui->rbOnceTomorrow->setText(QStringLiteral("Tomorrow ") + locale.toString(today.addDays(1), QLocale::ShortFormat));
    // The window activates again after each chooser, box or presentation an
    // edit opens: the edit keeps what the user has set.
    if (IsEditing())
        return;
    FEditedId = kNoAlarm;
    for (QTimeEdit* picker : TimePickers())
        picker->setTime(ToTheMinute(now.time()));
    for (QDateEdit* picker : { ui->DatePickerOnce, ui->DatePickerDaily, ui->DatePickerWeekly })
        picker->setDate(today);
}

void AlarmEditor::SelectFirstIfNone()
{
    // While editing, the selection is the edited alarm's row.
    if (IsEditing() || ui->lvAlarms->topLevelItemCount() == 0 || SelectedAlarm() != kNoAlarm)
        return;
    const AlarmId first = IdOf(*ui->lvAlarms->topLevelItem(0));
    SelectRow(first);
    RecordToEditor(first);
}

void AlarmEditor::SetTimeFormat(bool twelveHour)
{
    for (QTimeEdit* picker : TimePickers())
        picker->setDisplayFormat(twelveHour ? kTwelveHourPicker : kTwentyFourHourPicker);
    Use12h = twelveHour;
    const TDateTime now = DateTimeFromLocal(CurrentLocalDateTime());
    for (int i = 0; i < ui->lvAlarms->topLevelItemCount(); ++i)
        RefreshRow(*ui->lvAlarms->topLevelItem(i), now);
}

void AlarmEditor::EndEditing()
{
    if (!IsEditing())
        return;
    ui->tbEditSelected->setChecked(false);
    tbEditSelectedClick();
}

bool AlarmEditor::IsEditing() const
{
    return ui->tbEditSelected->isChecked();
}

void AlarmEditor::AddRow(AlarmId id, Row kind)
{
    const QScopedValueRollback writing(FWritingRows, true);
    auto* row = new QTreeWidgetItem(ui->lvAlarms);
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    row->setData(kNameColumn, kAlarmIdRole, QVariant::fromValue<qulonglong>(id));
    row->setCheckState(kNameColumn, Qt::Unchecked);
    if (kind == Row::Written)
        RefreshRow(*row, DateTimeFromLocal(CurrentLocalDateTime()));
}

void AlarmEditor::RefreshRow(AlarmId id)
{
    if (QTreeWidgetItem* row = RowOf(id))
        RefreshRow(*row, DateTimeFromLocal(CurrentLocalDateTime()));
}

void AlarmEditor::RefreshRow(QTreeWidgetItem& row, TDateTime now)
{
    const AlarmId id = IdOf(row);
    const TAlarmRec* alarm = FAlarmStore.find(id);
    if (!alarm)
        return;
    const QScopedValueRollback writing(FWritingRows, true);
    const AlarmListRow cells = AlarmListRowOf(*alarm, now, Use12h);
    row.setText(kNameColumn, cells.name);
    row.setCheckState(kNameColumn, FAlarmStore.shownEnabled(id) ? Qt::Checked : Qt::Unchecked);
    row.setText(kTypeColumn, cells.type);
    row.setText(kTimeColumn, cells.time);
    row.setText(kNextDateColumn, cells.nextDate);
}

void AlarmEditor::RecordToEditor(AlarmId id)
{
    const TAlarmRec* alarm = FAlarmStore.find(id);
    if (!alarm)
        return;
    AlarmEditorValues values = ControlValues();
    LoadAlarmIntoEditor(*alarm, CurrentLocalDateTime().date(), values);
    ShowValues(values);
}

void AlarmEditor::EditorToRecord(AlarmId id)
{
    const TAlarmRec* stored = FAlarmStore.find(id);
    if (!stored)
        return;
    TAlarmRec alarm = *stored;
    StoreEditorIntoAlarm(ControlValues(), CurrentLocalDateTime().date(), alarm);
    const QScopedValueRollback changing(FChangingStore, true);
    FAlarmStore.update(id, alarm);
}

AlarmEditorValues AlarmEditor::ControlValues() const
{
    AlarmEditorValues values;
    values.page = ui->pcAlarmMode->currentIndex();

    AlarmEditorValues::OncePage& once = values.once;
    once.time = ui->TimePickerOnce->time();
    once.day = ui->rbOnceToday->isChecked() ? AlarmEditorValues::OnceDay::Today
        : ui->rbOnceTomorrow->isChecked()   ? AlarmEditorValues::OnceDay::Tomorrow
                                            : AlarmEditorValues::OnceDay::Other;
    once.date = ui->DatePickerOnce->date();
    once.deleteAfterPlaying = ui->chkDeleteAfterPlaying->isChecked();
    once.deleteAfterExpiration = ui->chkDeleteAfterExpiration->isChecked();

    values.daily = { ui->TimePickerDaily->time(), ui->seEveryNdays->value(), ui->DatePickerDaily->date() };

    values.weekly.time = ui->TimePickerWeekly->time();
    values.weekly.everyNweeks = ui->seEveryNweeks->value();
    values.weekly.start = ui->DatePickerWeekly->date();
    for (std::size_t i = 0; i < WeekdayBoxes.size(); ++i)
        values.weekly.weekdays[i] = WeekdayBoxes[i]->isChecked();

    AlarmEditorValues::MonthlyPage& monthly = values.monthly;
    monthly.time = ui->TimePickerMonthly->time();
    monthly.nthWeekday = ui->rbMonthyThe->isChecked();
    monthly.day = ui->seMonthlyDay->value();
    monthly.nthIndex = ui->cbMonthlyTheN->currentIndex();
    monthly.weekdayIndex = ui->cbMonthlyTheDay->currentIndex();
    for (std::size_t i = 0; i < MonthBoxes.size(); ++i)
        monthly.months[i] = MonthBoxes[i]->isChecked();

    values.name = ui->eName->text();
    values.audioPic = ui->rbAudioPic->isChecked();
    values.visualFileCaption = ui->bbVisualFile->caption();
    values.sound = ui->chkSound->isChecked();
    values.soundFileCaption = ui->bbSoundFile->caption();
    values.docFileCaption = ui->bbDocFile->caption();
    values.staysOnIndex = ui->cbStaysOn->currentIndex();
    return values;
}

void AlarmEditor::ShowValues(const AlarmEditorValues& values)
{
    ui->pcAlarmMode->setCurrentIndex(values.page);

    const AlarmEditorValues::OncePage& once = values.once;
    ui->TimePickerOnce->setTime(once.time);
    ui->rbOnceToday->setChecked(once.day == AlarmEditorValues::OnceDay::Today);
    ui->rbOnceTomorrow->setChecked(once.day == AlarmEditorValues::OnceDay::Tomorrow);
    ui->rbOnceOther->setChecked(once.day == AlarmEditorValues::OnceDay::Other);
    ui->DatePickerOnce->setDate(once.date);
    ui->chkDeleteAfterPlaying->setChecked(once.deleteAfterPlaying);
    ui->chkDeleteAfterExpiration->setChecked(once.deleteAfterExpiration);

    ui->TimePickerDaily->setTime(values.daily.time);
    ui->seEveryNdays->setValue(values.daily.everyNdays);
    ui->DatePickerDaily->setDate(values.daily.start);

    ui->TimePickerWeekly->setTime(values.weekly.time);
    ui->seEveryNweeks->setValue(values.weekly.everyNweeks);
    ui->DatePickerWeekly->setDate(values.weekly.start);
    for (std::size_t i = 0; i < WeekdayBoxes.size(); ++i)
        WeekdayBoxes[i]->setChecked(values.weekly.weekdays[i]);

    const AlarmEditorValues::MonthlyPage& monthly = values.monthly;
    ui->TimePickerMonthly->setTime(monthly.time);
    ui->rbMonthlyDay->setChecked(!monthly.nthWeekday);
    ui->rbMonthyThe->setChecked(monthly.nthWeekday);
    ui->seMonthlyDay->setValue(monthly.day);
    ui->cbMonthlyTheN->setCurrentIndex(monthly.nthIndex);
    ui->cbMonthlyTheDay->setCurrentIndex(monthly.weekdayIndex);
    for (std::size_t i = 0; i < MonthBoxes.size(); ++i)
        MonthBoxes[i]->setChecked(monthly.months[i]);
    rbMonthlyDayClick();

    ui->eName->setText(values.name);
    ui->rbAudioPic->setChecked(values.audioPic);
    ui->rbDoc->setChecked(!values.audioPic);
    ShowAudioPicControls();
    ui->bbVisualFile->setCaption(values.visualFileCaption);
    ui->chkSound->setChecked(values.sound);
    chkSoundClick();
    ui->bbSoundFile->setCaption(values.soundFileCaption);
    ui->bbDocFile->setCaption(values.docFileCaption);
    ui->cbStaysOn->setCurrentIndex(values.staysOnIndex);
}

void AlarmEditor::tbEditSelectedClick()
{
    const bool down = ui->tbEditSelected->isChecked();
    // An edit needs an alarm: without a selected row the button springs
    // back.
    if (down && SelectedAlarm() == kNoAlarm) {
        ui->tbEditSelected->setChecked(false);
        if (ui->lvAlarms->topLevelItemCount() > 0)
            ShowMessage(QStringLiteral("No alarm selected"));
        return;
    }
    SetEditingState(down);
    if (down) {
        FEditedId = SelectedAlarm();
        RecordToEditor(FEditedId);
        TimePickers()[std::size_t(ui->pcAlarmMode->currentIndex())]->setFocus();
    } else if (FAlarmStore.find(FEditedId)) {
        SelectRow(FEditedId);
        CommitTypedValues();
        EditorToRecord(FEditedId);
        RefreshRow(FEditedId);
    }
}

void AlarmEditor::SetEditingState(bool editing)
{
    ui->pcAlarmMode->setEnabled(editing);
    ui->gbAlarmFiles->setEnabled(editing);
    ui->lvAlarms->setEnabled(!editing);
    ui->tbNewAlarm->setEnabled(!editing);
    ui->tbDeleteAlarm->setEnabled(!editing);
    ui->tbEditSelected->setText(editing ? QStringLiteral(" End Editing") : QStringLiteral(" Edit Selected"));
}

void AlarmEditor::CommitTypedValues()
{
    for (QSpinBox* interval : { ui->seEveryNdays, ui->seEveryNweeks })
        interval->interpretText();
}

void AlarmEditor::tbNewAlarmClick()
{
    const TAlarmRec alarm = NewAlarmRecord(FAlarmStore.find(SelectedAlarm()), CurrentLocalDateTime(),
        ui->chkSound->isChecked(), ui->rbAudioPic->isChecked());
    ui->eName->setText(alarm.Name.text());
    AlarmId id = kNoAlarm;
    {
        // The new row stays blank until the edit ends.
        const QScopedValueRollback changing(FChangingStore, true);
        id = FAlarmStore.add(alarm);
        AddRow(id, Row::Blank);
    }
    SelectRow(id);
    ui->tbEditSelected->setChecked(true);
    tbEditSelectedClick();
}

void AlarmEditor::tbDeleteAlarmClick()
{
    const AlarmId selected = SelectedAlarm();
    if (selected == kNoAlarm) {
        ShowMessage(QStringLiteral("No alarm selected"));
        return;
    }
    const QString name = FAlarmStore.find(selected)->Name.text();
    if (!Confirm(QStringLiteral("Delete \"%1\" alarm ?").arg(name)))
        return;
    // The question waits in an event loop in which the alarm may ring and
    // delete itself: then there is nothing left to delete.
    FAlarmStore.remove(selected);
}

void AlarmEditor::rbAudioPicClick()
{
    ShowAudioPicControls();
    const bool audioPic = ui->rbAudioPic->isChecked();
    ChangeEditedAlarm([audioPic](TAlarmRec& alarm) { alarm.AudioPic = audioPic; });
}

void AlarmEditor::ShowAudioPicControls()
{
    const bool audioPic = ui->rbAudioPic->isChecked();
    ui->bbDocFile->setVisible(!audioPic);
    for (QWidget* control : std::initializer_list<QWidget*> { ui->bbVisualFile, ui->chkSound, ui->bbSoundFile,
             ui->lbStaysOn, ui->cbStaysOn })
        control->setVisible(audioPic);
}

void AlarmEditor::chkSoundClick()
{
    const bool sound = ui->chkSound->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*> { ui->bbSoundFile, ui->lbStaysOn, ui->cbStaysOn })
        control->setEnabled(sound);
}

void AlarmEditor::rbMonthlyDayClick()
{
    const bool dayNumber = ui->rbMonthlyDay->isChecked();
    ui->seMonthlyDay->setEnabled(dayNumber);
    ui->cbMonthlyTheN->setEnabled(!dayNumber);
    ui->cbMonthlyTheDay->setEnabled(!dayNumber);
}

void AlarmEditor::bbVisualFileClick()
{
    ChooseAlarmFile({ .title = QStringLiteral("Wake-up picture, or type a message"),
                        .folder = AlarmFolder(),
                        .filter = PictureFilter(),
                        .acceptMissingFile = true,
                        .picturePreview = true },
        &TAlarmRec::VisualFile, *ui->bbVisualFile, Caption::FileName);
}

void AlarmEditor::bbSoundFileClick()
{
    ChooseAlarmFile({ .title = QStringLiteral("Wake-up sound"),
                        .folder = AlarmFolder(),
                        .filter = QStringLiteral("WAV or MP3 file (*.wav *.mp3)") },
        &TAlarmRec::SoundFile, *ui->bbSoundFile, Caption::FileName);
}

void AlarmEditor::bbDocFileClick()
{
    const TAlarmRec* alarm = EditedAlarm();
    if (!alarm)
        return;
    const QFileInfo current(alarm->DocFile.text());
    const QString folder = current.isFile() ? current.absolutePath() : AlarmFolder();
    ChooseAlarmFile({ .title = QStringLiteral("Document to open"), .folder = folder, .filter = QStringLiteral("All files (*)") },
        &TAlarmRec::DocFile, *ui->bbDocFile, Caption::WholePath);
}

void AlarmEditor::ChooseAlarmFile(const OpenFileRequest& request, ShortString<180> TAlarmRec::*file, ElidedButton& button,
    Caption caption)
{
    if (!EditedAlarm())
        return;
    const std::optional<QString> chosen = ChooseFileToOpen(request);
    // The chooser waits in an event loop in which the alarm may go.
    ChangeEditedAlarm([&](TAlarmRec& alarm) {
        (alarm.*file).setText(chosen.value_or(QString()));
        const QString stored = (alarm.*file).text();
        button.setCaption(caption == Caption::WholePath ? stored : ExtractFileName(stored));
    });
}

void AlarmEditor::btnAlarmTestClick()
{
    if (const TAlarmRec* alarm = EditedAlarm(); alarm && FPresenter)
        FPresenter->present(TAlarmRec(*alarm), AlarmPresenter::Snoozing::NotOffered);
}

void AlarmEditor::lvAlarmsClick()
{
    RecordToEditor(SelectedAlarm());
}

void AlarmEditor::lvAlarmsKeyUp()
{
    RecordToEditor(SelectedAlarm());
}

bool AlarmEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->lvAlarms && event->type() == QEvent::KeyRelease)
        lvAlarmsKeyUp();
    return QWidget::eventFilter(watched, event);
}

void AlarmEditor::RebuildList()
{
    ui->lvAlarms->clear();
    for (std::size_t i = 0; i < FAlarmStore.size(); ++i)
        AddRow(FAlarmStore.idAt(i), Row::Written);
    // The edited alarm's row stays marked while its edit goes on.
    if (IsEditing())
        SelectRow(FEditedId);
}

void AlarmEditor::AlarmAdded(AlarmId id)
{
    if (!FChangingStore)
        AddRow(id, Row::Written);
}

void AlarmEditor::AlarmChanged(AlarmId id)
{
    if (!FChangingStore)
        RefreshRow(id);
}

void AlarmEditor::AlarmRemoved(AlarmId id)
{
    // The selection does not pass on to another alarm.
    QTreeWidgetItem* const row = RowOf(id);
    const bool selected = row && row->isSelected();
    delete row;
    if (selected)
        ui->lvAlarms->setCurrentItem(nullptr);
    if (id != FEditedId)
        return;
    // The edited alarm went: the edit ends without storing.
    FEditedId = kNoAlarm;
    if (IsEditing()) {
        ui->tbEditSelected->setChecked(false);
        SetEditingState(false);
    }
}

void AlarmEditor::RowChanged(QTreeWidgetItem* row, int column)
{
    if (FWritingRows || column != kNameColumn)
        return;
    FAlarmStore.setEnabledChoice(IdOf(*row), row->checkState(kNameColumn) == Qt::Checked);
}

QTreeWidgetItem* AlarmEditor::RowOf(AlarmId id) const
{
    for (int i = 0; i < ui->lvAlarms->topLevelItemCount(); ++i)
        if (QTreeWidgetItem* row = ui->lvAlarms->topLevelItem(i); IdOf(*row) == id)
            return row;
    return nullptr;
}

AlarmId AlarmEditor::IdOf(const QTreeWidgetItem& row)
{
    return row.data(kNameColumn, kAlarmIdRole).value<qulonglong>();
}

AlarmId AlarmEditor::SelectedAlarm() const
{
    const QList<QTreeWidgetItem*> selected = ui->lvAlarms->selectedItems();
    return selected.isEmpty() ? kNoAlarm : IdOf(*selected.constFirst());
}

void AlarmEditor::SelectRow(AlarmId id)
{
    if (QTreeWidgetItem* row = RowOf(id))
        ui->lvAlarms->setCurrentItem(row);
}

const TAlarmRec* AlarmEditor::EditedAlarm() const
{
    return IsEditing() ? FAlarmStore.find(FEditedId) : nullptr;
}

void AlarmEditor::ChangeEditedAlarm(const std::function<void(TAlarmRec&)>& change)
{
    const TAlarmRec* stored = EditedAlarm();
    if (!stored)
        return;
    TAlarmRec alarm = *stored;
    change(alarm);
    const QScopedValueRollback changing(FChangingStore, true);
    FAlarmStore.update(FEditedId, alarm);
}
