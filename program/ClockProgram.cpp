#include "program/ClockProgram.h"

#include "alarms/AlarmChange.h"
#include "alarms/ui/AlarmEditor.h"
#include "alarms/ui/AlarmReportWindow.h"
#include "alarms/ui/AlarmWindow.h"
#include "app/ClockWindow.h"
#include "options/OptionsWindow.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/DialogOwner.h"
#include "platform/files/IoError.h"
#include "platform/files/ProgramFolder.h"
#include "platform/text/DateTime.h"
#include "platform/text/LocalClock.h"

#include <QDir>
#include <QTimer>

#include <exception>

ClockProgram::ClockProgram()
{
    m_instanceGuard.setObjectName(QStringLiteral("OnlyOne1"));
    m_instanceGuard.OnBringToFront = [this] {
        if (m_clockWindow)
            m_clockWindow->showUp();
    };
    // This clock is the one writer of its store: a change from the
    // command-line companion is applied here, to the alarms in memory, and
    // saved with them.
    // The guard answers only from the event loop, once start() has read the
    // store.
    m_instanceGuard.OnRequest = [this](const QByteArray& request) {
        return AnswerAlarmChangeRequest(m_alarmSchedule, m_alarmStore, request);
    };
    // A report (an alarm that should have rung) joins the one report window
    // from the event loop, not from where it arises: the start-up pass
    // reports before the clock is on screen, which comes first.
    m_alarmSchedule.setReporter([this](const QString& message) {
        QTimer::singleShot(0, m_reportWindow, [this, message] { m_reportWindow->addReport(message); });
    });
}

ClockProgram::~ClockProgram() = default;

bool ClockProgram::claimInstance()
{
    return m_instanceGuard.CheckInstance();
}

QStringList ClockProgram::readSettingsAndSkin()
{
    QStringList problems;
    // A settings file that cannot be read (a folder, a FIFO, a huge file) is
    // reported, and every key reads as its default.
    if (const QString problem = m_settings.read(); !problem.isEmpty())
        problems << problem;
    const ClockSettings& settings = m_settings.settings();
    // With "Keep last clock size" the clock keeps the size it had at the
    // last exit (the built-in skin's while none was kept), whatever the
    // skin's own.
    std::optional<int> clockSize;
    if (settings.keepSize)
        clockSize = settings.lastSize > 0 ? settings.lastSize : m_liveSkin.skin().ClockSize;
    // A skin file that cannot be read leaves the built-in skin; the rest of
    // the settings still apply.
    try {
        m_liveSkin.load(SkinPathFromSetting(settings.skin, ProgramFolder()), clockSize);
    } catch (const std::exception& error) {
        problems << QString::fromStdString(error.what());
    }
    return problems;
}

void ClockProgram::start()
{
    // Everything is read before any window exists: the clock may be closed
    // while a box waits (a logout), and it then saves what it read, not
    // defaults.
    QStringList problems = readSettingsAndSkin();
    // A store that cannot be read is reported; the alarms read before the
    // failure stay, and the start-up pass still runs on them.
    try {
        m_alarmStore.LoadAlarms();
    } catch (const std::exception& error) {
        problems << QString::fromStdString(error.what())
                + QStringLiteral("\n\nThe file is kept as it is. Alarms changed while the clock runs are saved to %1.")
                      .arg(QDir::toNativeSeparators(m_alarmStore.keptApartFileName()));
    }
    createWindows();
    m_clockWindow->setStartupProblems(problems);
    m_alarmSchedule.RunStartupPass(DateTimeFromLocal(CurrentLocalDateTime()));
    m_clockWindow->show();
}

void ClockProgram::createWindows()
{
    m_clockWindow = std::make_unique<ClockWindow>(m_liveSkin, m_settings);
    SetMainWindow(m_clockWindow.get());
    m_optionsWindow = std::make_unique<OptionsWindow>(m_liveSkin, m_settings, *this);
    // Over the clock: it comes up above the clock, also one that stays on
    // top.
    m_optionsWindow->setParent(m_clockWindow.get(), m_optionsWindow->windowFlags());
    m_alarmEditor = new AlarmEditor(m_alarmStore);
    m_optionsWindow->placeAlarmEditor(m_alarmEditor, *m_alarmEditor);
    m_alarmEditor->resetPickers();
    m_alarmWindow = std::make_unique<AlarmWindow>();
    m_reportWindow = new AlarmReportWindow(m_clockWindow.get());
    m_alarmSchedule.setPresenter(m_alarmWindow.get());
    m_alarmEditor->setPresenter(m_alarmWindow.get());
    m_alarmEditor->setSchedule(&m_alarmSchedule);
    QObject::connect(&m_alarmSchedule, &AlarmSchedule::nextRingDatesMoved, m_alarmEditor, &AlarmEditor::rewriteRows);

    m_optionsWindow->setClockBand(m_clockWindow.get());
    m_clockWindow->setAlarmSchedule(&m_alarmSchedule);
    m_clockWindow->setOpenOptions([this](bool onAlarmsPage) { openOptions(onAlarmsPage); });
    m_clockWindow->setSaveSettings([this] { SaveSettings(); });
    m_clockWindow->setMayClose([this](bool mayAsk) { return mayEnd(mayAsk); });
    m_clockWindow->setWhenFirstOnScreen([this] { offerDraft(); });
}

bool ClockProgram::mayEnd(bool mayAsk)
{
    if (mayAsk)
        return m_optionsWindow->settleSkinEdits();
    if (m_liveSkin.isModified(m_settings.settings().keepSize)) {
        try {
            m_liveSkin.keepDraft();
        } catch (const IoError& error) {
            qCritical("The skin's unsaved changes are lost: %s", qPrintable(error.message()));
        }
    }
    return true;
}

void ClockProgram::offerDraft()
{
    if (!m_liveSkin.hasDraft())
        return;
    const QString question = QStringLiteral("The clock ended with changes to the skin %1 that were not saved. "
                                            "Put them back on the clock?\n\n\"No\" discards them.")
                                 .arg(QDir::toNativeSeparators(m_liveSkin.fileOrDefault()));
    if (!Confirm(question)) {
        m_liveSkin.discardDraft();
        return;
    }
    try {
        m_liveSkin.restoreDraft();
    } catch (const IoError& error) {
        ShowError(error.message());
    }
}

void ClockProgram::openOptions(bool onAlarmsPage)
{
    // The clock hidden in the tray opens the options on its alarms.
    if (onAlarmsPage)
        m_optionsWindow->showAlarmsPage();
    m_optionsWindow->openOrRaise();
}

void ClockProgram::SaveSettings()
{
    // An alarm being edited is stored with the others, also when the clock
    // closes while the options are open.
    if (m_alarmEditor && m_alarmEditor->isEditing())
        m_alarmEditor->endEditing();
    // The alarms first: a store that cannot be written ends the save here.
    m_alarmStore.SaveAlarms();
    m_alarmSchedule.SaveBesideStore(DateTimeFromLocal(CurrentLocalDateTime()));
    m_settings.save(m_liveSkin.fileOrDefault(), m_liveSkin.skin().ClockSize);
}

void ClockProgram::CloseClock()
{
    m_clockWindow->close();
}
