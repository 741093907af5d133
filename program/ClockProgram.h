#pragma once

#include "alarms/AlarmSchedule.h"
#include "alarms/AlarmStore.h"

#include <memory>

class ClockWindow;
class OptionsWindow;
class AlarmWindow;

// The running program: the alarm store and its schedule, which live for the
// whole run, and the three windows, created and linked in the order the
// program starts them. The clock window polls the schedule; the options
// window (and the alarm editor in it) works on the store.
class ClockProgram {
public:
    // Creates the clock window, the first of the three.
    ClockProgram();
    ~ClockProgram();

    // Creates the options window, reads the alarm store, puts the alarm
    // editor on the options window's Alarms page and runs the schedule's
    // start-up pass (which fills the editor's list, and whose report of a
    // missed alarm of today appears once the event loop runs, the clock on
    // screen), then creates the presentation window, through which the
    // schedule rings alarms and the editor tries them, and links the clock
    // to the options and the schedule. From then on, alarm changes handed
    // over through the single-instance channel (vellamor-tool alarms add,
    // ...) are applied to the store, the list refreshed and the store saved.
    void CreateOtherWindows();

    ClockWindow& clockWindow() { return *m_clockWindow; }
    AlarmStore& alarmStore() { return m_alarmStore; }
    AlarmSchedule& alarmSchedule() { return m_alarmSchedule; }

private:
    AlarmStore m_alarmStore;
    AlarmSchedule m_alarmSchedule { m_alarmStore };
    const std::unique_ptr<ClockWindow> m_clockWindow;
    std::unique_ptr<OptionsWindow> m_optionsWindow;
    std::unique_ptr<AlarmWindow> m_presentationWindow;
    // The store has been read: changes handed over may be applied.
    bool m_alarmsReady = false;
};
