#include "program/ClockProgram.h"

#include "alarms/AlarmU.h"
#include "alarms/ShowPicU.h"
#include "app/ClockU.h"
#include "options/OptionsU.h"
#include "platform/Application.h"
#include "platform/DateTime.h"
#include "platform/LocalClock.h"

#include <exception>

ClockProgram::ClockProgram() : m_clockWindow(std::make_unique<TfrmDerAvo>())
{
    m_alarmSchedule.setReporter(ShowMessage);
}

ClockProgram::~ClockProgram() = default;

void ClockProgram::CreateOtherWindows()
{
    m_optionsWindow = std::make_unique<TfrmOptions>(*m_clockWindow, m_alarmStore);
    // A store that cannot be read is reported; the alarms read before the
    // failure stay, and the start-up pass still runs on them.
    try {
        m_alarmStore.LoadAlarms();
    } catch (const std::exception& error) {
        ShowError(QString::fromStdString(error.what()));
    }
    auto* alarmEditor = new TfrAlarm(m_alarmStore);
    m_optionsWindow->PlaceOnAlarmsPage(alarmEditor);
    m_optionsWindow->SetAlarmEditor(alarmEditor);
    alarmEditor->InitEditor();
    // The pass builds the editor's list.
    m_alarmSchedule.RunStartupPass(DateTimeFromLocal(CurrentLocalDateTime()));

    m_presentationWindow = std::make_unique<TfrmShowPic>();
    const AlarmPresenter present = [this](const TAlarmRec& alarm) { m_presentationWindow->ShowAlarm(alarm); };
    m_alarmSchedule.setPresenter(present);
    alarmEditor->setPresenter(present);
    m_clockWindow->setOptionsWindow(m_optionsWindow.get());
    m_clockWindow->setAlarmSchedule(&m_alarmSchedule);
}
