#pragma once

#include "alarms/AlarmSchedule.h"
#include "alarms/AlarmStore.h"
#include "clock/ClockSettings.h"
#include "desktop/SingleInstanceGuard.h"
#include "options/ClockCommands.h"
#include "skins/LiveSkin.h"

#include <QStringList>

#include <memory>

class AlarmEditor;
class AlarmReportWindow;
class AlarmWindow;
class ClockWindow;
class OptionsWindow;

// The running program. It owns the state of the run: the clock's settings,
// the live skin, the alarm store and its schedule, and the single-instance
// guard with the channel through which later programs reach this one. It
// creates the windows, hands each the models it shows, and links them.
class ClockProgram final : public ClockCommands {
public:
    // The models, on the program folder's files; nothing is read yet.
    ClockProgram();
    ~ClockProgram();

    // Whether this process is to run: false when another instance runs, which
    // has been asked to come to the front; this one then ends without
    // reading or writing anything.
    bool claimInstance();

    // Reads the settings, the skin they name and the alarm store, creates
    // the windows (the clock, the options window with the alarm editor on
    // its Alarms page, the alarm window), runs the schedule's start-up pass
    // and shows the clock. What could not be read is shown once the clock is
    // on screen; the start-up pass's reports come from the event loop. From
    // then on, alarm changes handed over through the instance channel
    // (vellamor-tool alarms add, ...) are applied to the store, the list
    // follows and the store is saved.
    void start();

    // Writes the alarm store (the alarm being edited stored first), then the
    // settings file. Throws IoError; a store that cannot be written ends it
    // before any setting is written.
    void SaveSettings() override;
    void CloseClock() override;

    ClockWindow& clockWindow() { return *m_clockWindow; }
    OptionsWindow& optionsWindow() { return *m_optionsWindow; }
    AlarmStore& alarmStore() { return m_alarmStore; }
    AlarmSchedule& alarmSchedule() { return m_alarmSchedule; }
    LiveSkin& liveSkin() { return m_liveSkin; }
    ClockSettingsFile& settings() { return m_settings; }
    SingleInstanceGuard& instanceGuard() { return m_instanceGuard; }
    AlarmReportWindow& reportWindow() { return *m_reportWindow; }

private:
    // The settings and the skin they name; what went wrong, for the user.
    QStringList readSettingsAndSkin();
    void createWindows();
    void openOptions(bool onAlarmsPage);
    // Whether the clock may end: unsaved edits of the skin are settled by
    // asking, or, with no one to ask, kept in a draft.
    bool mayEnd(bool mayAsk);
    // A draft kept at the last end is offered back.
    void offerDraft();

    SingleInstanceGuard m_instanceGuard;
    ClockSettingsFile m_settings;
    LiveSkin m_liveSkin;
    AlarmStore m_alarmStore;
    AlarmSchedule m_alarmSchedule { m_alarmStore };
    std::unique_ptr<ClockWindow> m_clockWindow;
    std::unique_ptr<OptionsWindow> m_optionsWindow;
    AlarmEditor* m_alarmEditor = nullptr;
    AlarmReportWindow* m_reportWindow = nullptr; // a child of the clock
    std::unique_ptr<AlarmWindow> m_alarmWindow;
};
