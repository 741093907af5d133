#include "options/OptionsU.h"

#include "alarms/AlarmStore.h"
#include "options/AlarmEditor.h"
#include "options/ClockCommands.h"
#include "platform/ProgramFolder.h"
#include "platform/RadioGroup.h"
#include "skins/SkinFile.h"
#include "ui_OptionsU.h"

#include <QEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kAlarmsPage = 2;
constexpr int kAlarmsPageMargin = 4;

} // namespace

TfrmOptions::TfrmOptions(ClockCommands& clock, AlarmStore& alarms)
    : ui(std::make_unique<Ui::frmOptions>())
    , FClock(clock)
    , FAlarmStore(alarms)
{
    ui->setupUi(this);
    ui->PageControl1->setCurrentWidget(ui->tsSkinDesign);

    connect(ui->seSize, &QSpinBox::valueChanged, this, &TfrmOptions::bbHourStCClick);
    connect(ui->chkStayOnTop, &QCheckBox::clicked, this, &TfrmOptions::bbHourStCClick);
    connect(ui->bbDone, &QPushButton::clicked, this, [this] { OKBtnClick(ui->bbDone); });
    connect(ui->bbClose, &QPushButton::clicked, this, &TfrmOptions::bbCloseClick);
    connect(ui->rbDigFormatAmPm, &QRadioButton::clicked, this, &TfrmOptions::rgDigFormatClick);
    connect(ui->rbDigFormat24, &QRadioButton::clicked, this, &TfrmOptions::rgDigFormatClick);
    connect(ui->PageControl1, &QTabWidget::currentChanged, this, &TfrmOptions::PageControl1Change);
}

TfrmOptions::~TfrmOptions() = default;

void TfrmOptions::PlaceAlarmEditor(QWidget* frame, AlarmEditor& editor)
{
    auto* layout = new QVBoxLayout(ui->tsAlarm);
    layout->setContentsMargins(kAlarmsPageMargin, kAlarmsPageMargin, kAlarmsPageMargin, kAlarmsPageMargin);
    layout->addWidget(frame);
    FAlarmFrame = &editor;
}

void TfrmOptions::LoadSkin(const QString& fileName)
{
    if (FUpdating)
        return;
    if (ReadSkinFile(SkinPathToRead(fileName, ProgramFolder())))
        Skin = FLoadBuffer;
    FSkinFile = fileName;
    if (isVisible())
        SkinToControls();
    FClock.ApplySkin();
}

bool TfrmOptions::ReadSkinFile(const QString& fileName)
{
    const SkinLoadOptions options { KeepSize(), Skin.ClockSize, ProgramFolder() };
    return ::ReadSkinFile(fileName, FLoadBuffer, options);
}

void TfrmOptions::SaveSkin(const QString& fileName)
{
    SaveSkinFile(fileName.isEmpty() ? SkinFileOrDefault() : fileName, Skin, ProgramFolder());
}

QString TfrmOptions::SkinFileOrDefault() const
{
    return FSkinFile.isEmpty() ? ProgramFolder() + QLatin1String(kDefaultSkinFileName) : FSkinFile;
}

void TfrmOptions::SkinToControls()
{
    FUpdating = true;
    ui->seSize->setValue(Skin.ClockSize);
    FUpdating = false;
}

void TfrmOptions::ControlsToSkin()
{
    if (FUpdating)
        return;
    Skin.ClockSize = std::clamp(ui->seSize->value(), ui->seSize->minimum(), ui->seSize->maximum());
    FClock.ApplySkin();
}

bool TfrmOptions::KeepLastPosition() const
{
    return ui->chkLastPos->isChecked();
}

void TfrmOptions::SetKeepLastPosition(bool keep)
{
    ui->chkLastPos->setChecked(keep);
}

bool TfrmOptions::KeepSize() const
{
    return ui->chkKeepSize->isChecked();
}

void TfrmOptions::SetKeepSize(bool keep)
{
    ui->chkKeepSize->setChecked(keep);
}

bool TfrmOptions::StayOnTop() const
{
    return ui->chkStayOnTop->isChecked();
}

void TfrmOptions::SetStayOnTop(bool onTop)
{
    ui->chkStayOnTop->setChecked(onTop);
}

void TfrmOptions::StepSize(int step)
{
    ui->seSize->setValue(ui->seSize->value() + step);
}

int TfrmOptions::DigFormatIndex() const
{
    return RadioGroupItemIndex(ui->rgDigFormat);
}

void TfrmOptions::SetDigFormatIndex(int index)
{
    SetRadioGroupItemIndex(ui->rgDigFormat, index);
    // The alarm editor follows the readout from the start, not only from
    // the first click.
    rgDigFormatClick();
}

void TfrmOptions::SaveAlarms()
{
    // An alarm being edited is stored with the others, also when the clock
    // closes while the options are open.
    if (FAlarmFrame)
        FAlarmFrame->EndEditing();
    FAlarmStore.SaveAlarms();
}

void TfrmOptions::ShowAlarmsPage()
{
    ui->PageControl1->setCurrentIndex(kAlarmsPage);
}

void TfrmOptions::OpenOrRaise()
{
    if (isVisible()) {
        raise();
        activateWindow();
    } else {
        exec();
    }
}

void TfrmOptions::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        SkinToControls();
        if (FAlarmFrame)
            FAlarmFrame->InitEditor();
    }
}

void TfrmOptions::bbHourStCClick()
{
    if (FUpdating)
        return;
    ControlsToSkin();
}

void TfrmOptions::OKBtnClick(QObject* sender)
{
    ControlsToSkin();
    if (FAlarmFrame)
        FAlarmFrame->EndEditing();
    if (sender == ui->bbDone) {
        FClock.SaveSettings();
        accept();
    }
}

void TfrmOptions::bbCloseClick()
{
    OKBtnClick(ui->bbDone);
    FClock.CloseClock();
}

void TfrmOptions::rgDigFormatClick()
{
    if (FAlarmFrame)
        FAlarmFrame->SetTimeFormat(DigFormatIndex() == 0);
}

void TfrmOptions::PageControl1Change(int index)
{
    if (index == kAlarmsPage && FAlarmFrame)
        FAlarmFrame->SelectFirstIfNone();
}
