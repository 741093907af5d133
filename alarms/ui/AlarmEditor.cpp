#include "alarms/ui/AlarmEditor.h"

#include "alarms/AlarmListText.h"
#include "alarms/AlarmPresenter.h"
#include "alarms/AlarmSchedule.h"
#include "alarms/ui/AlarmEditorFields.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/files/FileNames.h"
#include "platform/text/LocalClock.h"
#include "platform/text/StoredText.h"
#include "platform/pictures/PictureLoader.h"
#include "platform/files/ProgramFolder.h"
#include "ui_AlarmEditor.h"
#include "widgets/ElidedButton.h"
#include "widgets/FittingTextValidator.h"
#include "widgets/RequiredChild.h"

#include <QAction>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QScopedValueRollback>
#include <QToolTip>

#include <initializer_list>
#include <type_traits>
#include <variant>
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

// A spin box's value, or the index of a list or of a page control.
int IndexOrValue(const QWidget& control)
{
    if (const auto* box = qobject_cast<const QSpinBox*>(&control))
        return box->value();
    if (const auto* list = qobject_cast<const QComboBox*>(&control))
        return list->currentIndex();
    return static_cast<const QTabWidget&>(control).currentIndex();
}

void SetIndexOrValue(QWidget& control, int value)
{
    if (auto* box = qobject_cast<QSpinBox*>(&control))
        box->setValue(value);
    else if (auto* list = qobject_cast<QComboBox*>(&control))
        list->setCurrentIndex(value);
    else
        static_cast<QTabWidget&>(control).setCurrentIndex(value);
}

// A line edit's text, or a file button's caption.
QString TextOf(const QWidget& control)
{
    if (const auto* button = qobject_cast<const ElidedButton*>(&control))
        return button->caption();
    return static_cast<const QLineEdit&>(control).text();
}

void SetText(QWidget& control, const QString& text)
{
    if (auto* button = qobject_cast<ElidedButton*>(&control))
        button->setCaption(text);
    else
        static_cast<QLineEdit&>(control).setText(text);
}

// The field a chosen file goes to, as a message names it.
QString AlarmFileField(ShortString<180> AlarmRecord::*file)
{
    if (file == &AlarmRecord::VisualFile)
        return QStringLiteral("The picture or message");
    if (file == &AlarmRecord::SoundFile)
        return QStringLiteral("The path of the sound");
    return QStringLiteral("The path of the document");
}

} // namespace

AlarmEditor::AlarmEditor(AlarmStore& store, QWidget* parent)
    : QWidget(parent)
    , ui(BuildForm(this))
    , m_store(store)
{
    bindFields();
    setUpToolBarAndPickers();
    setUpNameField();
    setUpList();
    connectControls();
    followStore();
    rebuildList();
}

void AlarmEditor::setUpToolBarAndPickers()
{
    QPalette toolBarPalette = ui->ToolBar1->palette();
    toolBarPalette.setColor(QPalette::Window, kToolBarBackground);
    ui->ToolBar1->setPalette(toolBarPalette);
    QFont toolBarFont(QStringLiteral("Arial"));
    toolBarFont.setPixelSize(kToolBarFontPixels);
    ui->ToolBar1->setFont(toolBarFont);
    for (QTimeEdit* picker : timePickers()) {
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

void AlarmEditor::setUpNameField()
{
    ui->eName->setValidator(new FittingTextValidator(&decltype(AlarmRecord::Name)::fits, ui->eName));
    // A refused key says why the name stops growing.
    connect(ui->eName, &QLineEdit::inputRejected, this, [this] {
        QToolTip::showText(ui->eName->mapToGlobal(QPoint(0, ui->eName->height())),
            StoredTextLimit(QStringLiteral("An alarm's name"), decltype(AlarmRecord::Name)::kCapacity), ui->eName);
    });
}

void AlarmEditor::setUpList()
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
    // A right click on a snoozed alarm's row offers to end its snooze.
    m_cancelSnooze = new QAction(QStringLiteral("Cancel snooze"), ui->lvAlarms);
    m_cancelSnooze->setObjectName(QStringLiteral("actCancelSnooze"));
    m_cancelSnooze->setVisible(false);
    ui->lvAlarms->addAction(m_cancelSnooze);
    ui->lvAlarms->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_cancelSnooze, &QAction::triggered, this, &AlarmEditor::cancelSelectedSnooze);
    connect(ui->lvAlarms, &QTreeWidget::itemSelectionChanged, this, &AlarmEditor::updateSnoozeAction);
}

void AlarmEditor::setSchedule(AlarmSchedule* schedule)
{
    m_schedule = schedule;
    connect(m_schedule, &AlarmSchedule::snoozesChanged, this, [this] {
        rewriteRows();
        updateSnoozeAction();
    });
    rewriteRows();
}

void AlarmEditor::cancelSelectedSnooze()
{
    if (m_schedule)
        m_schedule->CancelSnoozes(selectedAlarm());
}

void AlarmEditor::updateSnoozeAction()
{
    m_cancelSnooze->setVisible(m_schedule && m_schedule->SnoozedUntil(selectedAlarm()));
}

AlarmEditor::~AlarmEditor() = default;

void AlarmEditor::connectControls()
{
    connect(ui->tbNewAlarm, &QToolButton::clicked, this, &AlarmEditor::createAlarm);
    connect(ui->tbDeleteAlarm, &QToolButton::clicked, this, &AlarmEditor::deleteSelectedAlarm);
    connect(ui->tbEditSelected, &QToolButton::clicked, this, &AlarmEditor::toggleEditing);
    connect(ui->rbAudioPic, &QRadioButton::clicked, this, &AlarmEditor::onShowKindChosen);
    connect(ui->rbDoc, &QRadioButton::clicked, this, &AlarmEditor::onShowKindChosen);
    connect(ui->chkSound, &QCheckBox::toggled, this, &AlarmEditor::onSoundToggled);
    connect(ui->rbMonthlyDay, &QRadioButton::toggled, this, &AlarmEditor::onMonthlyRuleChosen);
    connect(ui->bbVisualFile, &QPushButton::clicked, this, &AlarmEditor::choosePicture);
    connect(ui->bbSoundFile, &QPushButton::clicked, this, &AlarmEditor::chooseSound);
    connect(ui->bbDocFile, &QPushButton::clicked, this, &AlarmEditor::chooseDocument);
    connect(ui->btnAlarmTest, &QPushButton::clicked, this, &AlarmEditor::testAlarm);
    connect(ui->lvAlarms, &QTreeWidget::clicked, this, &AlarmEditor::showSelectedAlarm);
    connect(ui->lvAlarms, &QTreeWidget::itemChanged, this, &AlarmEditor::onRowChanged);
}

void AlarmEditor::followStore()
{
    connect(&m_store, &AlarmStore::listChanged, this, &AlarmEditor::rebuildList);
    connect(&m_store, &AlarmStore::alarmAdded, this, &AlarmEditor::onAlarmAdded);
    connect(&m_store, &AlarmStore::alarmChanged, this, &AlarmEditor::onAlarmChanged);
    connect(&m_store, &AlarmStore::alarmRemoved, this, &AlarmEditor::onAlarmRemoved);
}

std::array<QTimeEdit*, 4> AlarmEditor::timePickers() const
{
    return { ui->TimePickerOnce, ui->TimePickerDaily, ui->TimePickerWeekly, ui->TimePickerMonthly };
}

void AlarmEditor::resetPickers()
{
    const QDateTime now = CurrentLocalDateTime();
    const QDate today = now.date();
    const QLocale locale;
    ui->rbOnceToday->setText(QStringLiteral("Today ") + locale.toString(today, QLocale::ShortFormat));
    ui->rbOnceTomorrow->setText(QStringLiteral("Tomorrow ") + locale.toString(today.addDays(1), QLocale::ShortFormat));
    // The window activates again after each chooser, box or presentation an
    // edit opens: the edit keeps what the user has set.
    if (isEditing())
        return;
    m_editedId = kNoAlarm;
    // The panel goes on showing the selected alarm's own values.
    if (const AlarmId selected = selectedAlarm(); selected != kNoAlarm) {
        showAlarm(selected);
        return;
    }
    for (QTimeEdit* picker : timePickers())
        picker->setTime(ToTheMinute(now.time()));
    for (QDateEdit* picker : { ui->DatePickerOnce, ui->DatePickerDaily, ui->DatePickerWeekly })
        picker->setDate(today);
}

void AlarmEditor::selectFirstIfNone()
{
    // While editing, the selection is the edited alarm's row.
    if (isEditing() || ui->lvAlarms->topLevelItemCount() == 0 || selectedAlarm() != kNoAlarm)
        return;
    const AlarmId first = idOf(*ui->lvAlarms->topLevelItem(0));
    selectRow(first);
    showAlarm(first);
}

void AlarmEditor::setTimeFormat(bool twelveHour)
{
    for (QTimeEdit* picker : timePickers())
        picker->setDisplayFormat(twelveHour ? kTwelveHourPicker : kTwentyFourHourPicker);
    m_twelveHour = twelveHour;
    rewriteRows();
}

void AlarmEditor::rewriteRows()
{
    const TDateTime now = DateTimeFromLocal(CurrentLocalDateTime());
    for (int i = 0; i < ui->lvAlarms->topLevelItemCount(); ++i)
        writeRow(*ui->lvAlarms->topLevelItem(i), now);
}

void AlarmEditor::endEditing()
{
    if (!isEditing())
        return;
    ui->tbEditSelected->setChecked(false);
    toggleEditing();
}

bool AlarmEditor::isEditing() const
{
    return ui->tbEditSelected->isChecked();
}

void AlarmEditor::addRow(AlarmId id, Row kind)
{
    const QScopedValueRollback writing(m_writingRows, true);
    auto* row = new QTreeWidgetItem(ui->lvAlarms);
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    row->setData(kNameColumn, kAlarmIdRole, QVariant::fromValue<qulonglong>(id));
    row->setCheckState(kNameColumn, Qt::Unchecked);
    if (kind == Row::Written)
        writeRow(*row, DateTimeFromLocal(CurrentLocalDateTime()));
}

void AlarmEditor::writeRow(AlarmId id)
{
    if (QTreeWidgetItem* row = rowOf(id))
        writeRow(*row, DateTimeFromLocal(CurrentLocalDateTime()));
}

void AlarmEditor::writeRow(QTreeWidgetItem& row, TDateTime now)
{
    const AlarmId id = idOf(row);
    const AlarmRecord* alarm = m_store.find(id);
    if (!alarm)
        return;
    const QScopedValueRollback writing(m_writingRows, true);
    const AlarmListRow cells = AlarmListRowOf(*alarm, now, m_twelveHour);
    row.setText(kNameColumn, cells.name);
    row.setCheckState(kNameColumn, m_store.shownEnabled(id) ? Qt::Checked : Qt::Unchecked);
    row.setText(kTypeColumn, cells.type);
    row.setText(kTimeColumn, cells.time);
    const std::optional<TDateTime> snoozed = m_schedule ? m_schedule->SnoozedUntil(id) : std::nullopt;
    row.setText(kNextDateColumn, snoozed ? SnoozedUntilText(*snoozed, m_twelveHour) : cells.nextDate);
    // The next date stays at hand while a snooze shows in its place.
    row.setToolTip(kNextDateColumn, snoozed ? cells.nextDate : QString());
}

void AlarmEditor::showAlarm(AlarmId id)
{
    const AlarmRecord* alarm = m_store.find(id);
    if (!alarm)
        return;
    AlarmEditorValues values = controlValues();
    LoadAlarmIntoEditor(*alarm, CurrentLocalDateTime().date(), values);
    showValues(values);
}

void AlarmEditor::storeEdit(AlarmId id)
{
    const AlarmRecord* stored = m_store.find(id);
    if (!stored)
        return;
    AlarmRecord alarm = *stored;
    StoreEditorIntoAlarm(controlValues(), CurrentLocalDateTime().date(), alarm);
    const QScopedValueRollback changing(m_changingStore, true);
    m_store.update(id, alarm);
}

void AlarmEditor::bindFields()
{
    for (const AlarmEditorField& field : AlarmEditorFields())
        m_fields.push_back({ field, &RequiredChild<QWidget>(*this, field.control) });
}

AlarmEditorValues AlarmEditor::controlValues() const
{
    AlarmEditorValues values;
    for (const BoundField& bound : m_fields) {
        QWidget* const control = bound.control;
        std::visit(
            [&](auto field) {
                using Field = decltype(field);
                if constexpr (std::is_same_v<Field, EditorField<QTime>>)
                    field(values) = static_cast<const QTimeEdit*>(control)->time();
                else if constexpr (std::is_same_v<Field, EditorField<QDate>>)
                    field(values) = static_cast<const QDateEdit*>(control)->date();
                else if constexpr (std::is_same_v<Field, EditorField<bool>>)
                    field(values) = static_cast<const QAbstractButton*>(control)->isChecked();
                else if constexpr (std::is_same_v<Field, EditorField<int>>)
                    field(values) = IndexOrValue(*control);
                else if constexpr (std::is_same_v<Field, EditorField<QString>>)
                    field(values) = TextOf(*control);
                else if (static_cast<const QAbstractButton*>(control)->isChecked())
                    field.set(values, field.value);
            },
            bound.field.field);
    }
    return values;
}

void AlarmEditor::showValues(const AlarmEditorValues& shown)
{
    AlarmEditorValues values = shown;
    for (const BoundField& bound : m_fields) {
        QWidget* const control = bound.control;
        std::visit(
            [&](auto field) {
                using Field = decltype(field);
                if constexpr (std::is_same_v<Field, EditorField<QTime>>)
                    static_cast<QTimeEdit*>(control)->setTime(field(values));
                else if constexpr (std::is_same_v<Field, EditorField<QDate>>)
                    static_cast<QDateEdit*>(control)->setDate(field(values));
                else if constexpr (std::is_same_v<Field, EditorField<bool>>)
                    static_cast<QAbstractButton*>(control)->setChecked(field(values));
                else if constexpr (std::is_same_v<Field, EditorField<int>>)
                    SetIndexOrValue(*control, field(values));
                else if constexpr (std::is_same_v<Field, EditorField<QString>>)
                    SetText(*control, field(values));
                else
                    static_cast<QAbstractButton*>(control)->setChecked(field.get(values) == field.value);
            },
            bound.field.field);
    }
    onMonthlyRuleChosen();
    showShowKindControls();
    onSoundToggled();
}

void AlarmEditor::toggleEditing()
{
    const bool down = ui->tbEditSelected->isChecked();
    // An edit needs an alarm: without a selected row the button springs
    // back.
    if (down && selectedAlarm() == kNoAlarm) {
        ui->tbEditSelected->setChecked(false);
        if (ui->lvAlarms->topLevelItemCount() > 0)
            ShowMessage(QStringLiteral("No alarm selected"));
        return;
    }
    setEditingState(down);
    if (down) {
        m_editedId = selectedAlarm();
        showAlarm(m_editedId);
        timePickers()[std::size_t(ui->pcAlarmMode->currentIndex())]->setFocus();
    } else if (m_store.find(m_editedId)) {
        selectRow(m_editedId);
        commitTypedValues();
        storeEdit(m_editedId);
        writeRow(m_editedId);
    }
}

void AlarmEditor::setEditingState(bool editing)
{
    ui->pcAlarmMode->setEnabled(editing);
    ui->gbAlarmFiles->setEnabled(editing);
    ui->lvAlarms->setEnabled(!editing);
    ui->tbNewAlarm->setEnabled(!editing);
    ui->tbDeleteAlarm->setEnabled(!editing);
    ui->tbEditSelected->setText(editing ? QStringLiteral(" End Editing") : QStringLiteral(" Edit Selected"));
}

void AlarmEditor::commitTypedValues()
{
    for (QSpinBox* interval : { ui->seEveryNdays, ui->seEveryNweeks })
        interval->interpretText();
}

void AlarmEditor::createAlarm()
{
    const AlarmRecord alarm = NewAlarmRecord(m_store.find(selectedAlarm()), CurrentLocalDateTime(),
        ui->chkSound->isChecked(), ui->rbAudioPic->isChecked());
    ui->eName->setText(alarm.Name.text());
    AlarmId id = kNoAlarm;
    {
        // The new row stays blank until the edit ends.
        const QScopedValueRollback changing(m_changingStore, true);
        id = m_store.add(alarm);
        addRow(id, Row::Blank);
    }
    selectRow(id);
    ui->tbEditSelected->setChecked(true);
    toggleEditing();
}

void AlarmEditor::deleteSelectedAlarm()
{
    const AlarmId selected = selectedAlarm();
    if (selected == kNoAlarm) {
        ShowMessage(QStringLiteral("No alarm selected"));
        return;
    }
    const QString name = m_store.find(selected)->Name.text();
    if (!Confirm(QStringLiteral("Delete \"%1\" alarm ?").arg(name)))
        return;
    // The question waits in an event loop in which the alarm may ring and
    // delete itself: then there is nothing left to delete.
    m_store.remove(selected);
}

void AlarmEditor::onShowKindChosen()
{
    showShowKindControls();
    const bool audioPic = ui->rbAudioPic->isChecked();
    changeEditedAlarm([audioPic](AlarmRecord& alarm) { alarm.AudioPic = audioPic; });
}

void AlarmEditor::showShowKindControls()
{
    const bool audioPic = ui->rbAudioPic->isChecked();
    ui->bbDocFile->setVisible(!audioPic);
    for (QWidget* control : std::initializer_list<QWidget*> { ui->bbVisualFile, ui->chkSound, ui->bbSoundFile,
             ui->lbStaysOn, ui->cbStaysOn })
        control->setVisible(audioPic);
}

void AlarmEditor::onSoundToggled()
{
    const bool sound = ui->chkSound->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*> { ui->bbSoundFile, ui->lbStaysOn, ui->cbStaysOn })
        control->setEnabled(sound);
}

void AlarmEditor::onMonthlyRuleChosen()
{
    const bool dayNumber = ui->rbMonthlyDay->isChecked();
    ui->seMonthlyDay->setEnabled(dayNumber);
    ui->cbMonthlyTheN->setEnabled(!dayNumber);
    ui->cbMonthlyTheDay->setEnabled(!dayNumber);
}

void AlarmEditor::choosePicture()
{
    chooseAlarmFile({ .title = QStringLiteral("Wake-up picture, or type a message"),
                        .folder = AlarmFolder(),
                        .filter = PictureFilter(),
                        .acceptMissingFile = true,
                        .picturePreview = true },
        &AlarmRecord::VisualFile, *ui->bbVisualFile, Caption::FileName);
}

void AlarmEditor::chooseSound()
{
    chooseAlarmFile({ .title = QStringLiteral("Wake-up sound"),
                        .folder = AlarmFolder(),
                        .filter = QStringLiteral("WAV or MP3 file (*.wav *.mp3)") },
        &AlarmRecord::SoundFile, *ui->bbSoundFile, Caption::FileName);
}

void AlarmEditor::chooseDocument()
{
    const AlarmRecord* alarm = editedAlarm();
    if (!alarm)
        return;
    const QFileInfo current(alarm->DocFile.text());
    const QString folder = current.isFile() ? current.absolutePath() : AlarmFolder();
    chooseAlarmFile({ .title = QStringLiteral("Document to open"), .folder = folder, .filter = QStringLiteral("All files (*)") },
        &AlarmRecord::DocFile, *ui->bbDocFile, Caption::WholePath);
}

void AlarmEditor::chooseAlarmFile(const OpenFileRequest& request, ShortString<180> AlarmRecord::*file, ElidedButton& button,
    Caption caption)
{
    if (!editedAlarm())
        return;
    const std::optional<QString> chosen = ChooseFileToOpen(request);
    if (chosen && !ShortString<180>::fits(*chosen)) {
        ShowMessage(QStringLiteral("This path is too long for an alarm to keep:\n%1\n\n%2\nThe alarm keeps the file it had.")
                        .arg(*chosen, StoredTextLimit(AlarmFileField(file), ShortString<180>::kCapacity)));
        return;
    }
    // The chooser waits in an event loop in which the alarm may go.
    changeEditedAlarm([&](AlarmRecord& alarm) {
        (alarm.*file).setText(chosen.value_or(QString()));
        const QString stored = (alarm.*file).text();
        button.setCaption(caption == Caption::WholePath ? stored : ExtractFileName(stored));
    });
}

void AlarmEditor::testAlarm()
{
    const AlarmRecord* stored = editedAlarm();
    if (!stored || !m_presenter)
        return;
    // The alarm as the editor shows it, its unsaved fields included; the
    // stored alarm stays as it is until the edit ends.
    commitTypedValues();
    AlarmRecord shown = *stored;
    StoreEditorIntoAlarm(controlValues(), CurrentLocalDateTime().date(), shown);
    m_presenter->present(shown, AlarmPresenter::Snoozing::NotOffered);
}

void AlarmEditor::showSelectedAlarm()
{
    showAlarm(selectedAlarm());
}

bool AlarmEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->lvAlarms && event->type() == QEvent::KeyRelease)
        showSelectedAlarm();
    return QWidget::eventFilter(watched, event);
}

void AlarmEditor::rebuildList()
{
    ui->lvAlarms->clear();
    for (std::size_t i = 0; i < m_store.size(); ++i)
        addRow(m_store.idAt(i), Row::Written);
    // The edited alarm's row stays marked while its edit goes on.
    if (isEditing())
        selectRow(m_editedId);
}

void AlarmEditor::onAlarmAdded(AlarmId id)
{
    if (!m_changingStore)
        addRow(id, Row::Written);
}

void AlarmEditor::onAlarmChanged(AlarmId id)
{
    if (m_changingStore)
        return;
    writeRow(id);
    // Outside an edit the panel shows the selected alarm as it now is.
    if (!isEditing() && id == selectedAlarm())
        showAlarm(id);
}

void AlarmEditor::onAlarmRemoved(AlarmId id)
{
    // The selection does not pass on to another alarm.
    QTreeWidgetItem* const row = rowOf(id);
    const bool selected = row && row->isSelected();
    delete row;
    if (selected)
        ui->lvAlarms->setCurrentItem(nullptr);
    if (id != m_editedId)
        return;
    // The edited alarm went: the edit ends without storing.
    m_editedId = kNoAlarm;
    if (isEditing()) {
        ui->tbEditSelected->setChecked(false);
        setEditingState(false);
    }
}

void AlarmEditor::onRowChanged(QTreeWidgetItem* row, int column)
{
    if (m_writingRows || column != kNameColumn)
        return;
    m_store.setEnabledChoice(idOf(*row), row->checkState(kNameColumn) == Qt::Checked);
}

QTreeWidgetItem* AlarmEditor::rowOf(AlarmId id) const
{
    for (int i = 0; i < ui->lvAlarms->topLevelItemCount(); ++i)
        if (QTreeWidgetItem* row = ui->lvAlarms->topLevelItem(i); idOf(*row) == id)
            return row;
    return nullptr;
}

AlarmId AlarmEditor::idOf(const QTreeWidgetItem& row)
{
    return row.data(kNameColumn, kAlarmIdRole).value<qulonglong>();
}

AlarmId AlarmEditor::selectedAlarm() const
{
    const QList<QTreeWidgetItem*> selected = ui->lvAlarms->selectedItems();
    return selected.isEmpty() ? kNoAlarm : idOf(*selected.constFirst());
}

void AlarmEditor::selectRow(AlarmId id)
{
    if (QTreeWidgetItem* row = rowOf(id))
        ui->lvAlarms->setCurrentItem(row);
}

const AlarmRecord* AlarmEditor::editedAlarm() const
{
    return isEditing() ? m_store.find(m_editedId) : nullptr;
}

void AlarmEditor::changeEditedAlarm(const std::function<void(AlarmRecord&)>& change)
{
    const AlarmRecord* stored = editedAlarm();
    if (!stored)
        return;
    AlarmRecord alarm = *stored;
    change(alarm);
    const QScopedValueRollback changing(m_changingStore, true);
    m_store.update(m_editedId, alarm);
}
