#include "program/ClockProgram.h"

#include "alarms/AlarmChange.h"
#include "alarms/ui/AlarmEditor.h"
#include "alarms/PresentationFlags.h"
#include "alarms/ui/AlarmWindow.h"
#include "app/ClockWindow.h"
#include "desktop/SingleInstanceGuard.h"
#include "options/OptionsWindow.h"
#include "platform/dialogs/Application.h"
#include "platform/text/DateTime.h"
#include "platform/dialogs/DialogOwner.h"
#include "platform/text/LocalClock.h"

#include <QTimer>

#include <exception>

ClockProgram::ClockProgram() : m_clockWindow(std::make_unique<ClockWindow>())
{
    SetMainWindow(m_clockWindow.get());
    // A report (an alarm that should have rung) is shown from the event
    // loop, not from where it arises: the start-up pass reports before the
    // clock is on screen, and a tick must go on while the box waits for OK.
    // The clock appears, ticks and rings meanwhile.
    m_alarmSchedule.setReporter([this](const QString& message) {
        QTimer::singleShot(0, m_clockWindow.get(), [message] { ShowMessage(message); });
    });
    // This clock is the one writer of its store: a change from the
    // command-line companion is applied here, to the alarms in memory, and
    // saved with them.
    m_clockWindow->OnlyOne1->OnRequest = [this](const QByteArray& request) -> QByteArray {
        if (!m_alarmsReady)
            return "failed\tThe clock is still reading its alarms; try again in a moment.\n";
        // Deleting moves the records under an alarm that is ringing.
        const QString holdDeletes = PresentationActive
            ? QStringLiteral("An alarm is ringing; delete once its window has closed.")
            : QString();
        return AnswerAlarmChangeRequest(m_alarmStore, request, holdDeletes);
    };
}

ClockProgram::~ClockProgram() = default;

void ClockProgram::CreateOtherWindows()
{
    m_optionsWindow = std::make_unique<OptionsWindow>(*m_clockWindow, m_alarmStore);
    // Over the clock: it comes up above the clock, also one that stays on
    // top.
    m_optionsWindow->setParent(m_clockWindow.get(), m_optionsWindow->windowFlags());
    // A store that cannot be read is reported; the alarms read before the
    // failure stay, and the start-up pass still runs on them.
    try {
        m_alarmStore.LoadAlarms();
    } catch (const std::exception& error) {
        ShowError(QString::fromStdString(error.what()));
    }
    auto* alarmEditor = new AlarmEditor(m_alarmStore);
    m_optionsWindow->PlaceOnAlarmsPage(alarmEditor);
    m_optionsWindow->SetAlarmEditor(alarmEditor);
    alarmEditor->InitEditor();
    // The pass builds the editor's list.
    m_alarmSchedule.RunStartupPass(DateTimeFromLocal(CurrentLocalDateTime()));

    m_presentationWindow = std::make_unique<AlarmWindow>();
    m_alarmSchedule.setPresenter([this](const TAlarmRec& alarm) {
        return m_presentationWindow->ShowAlarm(alarm, AlarmWindow::Snoozing::Offered);
    });
    // A test of an alarm is not snoozed: it would ring again unasked.
    alarmEditor->setPresenter([this](const TAlarmRec& alarm) { m_presentationWindow->ShowAlarm(alarm); });
    m_optionsWindow->SetClockView(m_clockWindow.get());
    m_clockWindow->setOptionsWindow(m_optionsWindow.get());
    m_clockWindow->setAlarmSchedule(&m_alarmSchedule);
    m_alarmsReady = true;
}
