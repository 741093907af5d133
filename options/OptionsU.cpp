#include "options/OptionsU.h"

#include "alarms/AlarmStore.h"
#include "options/ClockCommands.h"
#include "platform/ProgramFolder.h"
#include "platform/RadioGroup.h"
#include "skins/SkinFile.h"
#include "ui_OptionsU.h"

#include <QEvent>

#include <algorithm>

namespace {

constexpr int kAlarmsPage = 2;

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
}

TfrmOptions::~TfrmOptions() = default;

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
}

void TfrmOptions::SaveAlarms()
{
    FAlarmStore.SaveAlarms();
}

void TfrmOptions::ShowAlarmsPage()
{
    ui->PageControl1->setCurrentIndex(kAlarmsPage);
}

void TfrmOptions::OpenOrRaise()
{
    // Not modal: the tray icon, the clock and its tick carry on while the
    // window is open. A window manager shows a modal window in place of
    // its minimised owner, and the tray could not bring the clock back.
    show();
    raise();
    activateWindow();
}

void TfrmOptions::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        SkinToControls();
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
