#include "program/ClockProgram.h"

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
    m_alarmSchedule.RunStartupPass(DateTimeFromLocal(CurrentLocalDateTime()));

    m_presentationWindow = std::make_unique<TfrmShowPic>();
    m_alarmSchedule.setPresenter([this](const TAlarmRec& alarm) { m_presentationWindow->ShowAlarm(alarm); });
    m_optionsWindow->SetClockView(m_clockWindow.get());
    m_clockWindow->setOptionsWindow(m_optionsWindow.get());
    m_clockWindow->setAlarmSchedule(&m_alarmSchedule);
}
