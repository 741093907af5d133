#include "app/TrayMenu.h"

#include "alarms/AlarmListText.h"
#include "alarms/AlarmSchedule.h"
#include "desktop/InstanceChannel.h"
#include "desktop/TrayIcon.h"

#include <QActionGroup>
#include <QGuiApplication>
#include <QMenu>

namespace {

QAction* AddItem(QMenu& menu, const char* objectName, const QString& caption)
{
    QAction* item = menu.addAction(caption);
    item->setObjectName(QLatin1String(objectName));
    return item;
}

} // namespace

TrayMenu::TrayMenu(QWidget& clock)
    : QObject(&clock)
    , m_clock(clock)
    , m_menu(new QMenu(&clock))
    , m_show(AddItem(*m_menu, "mShow", QStringLiteral("Show")))
    , m_hide(AddItem(*m_menu, "mHide", QStringLiteral("Hide")))
{
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    auto* radioGroup = new QActionGroup(m_menu);
    for (QAction* item : { m_show, m_hide }) {
        item->setCheckable(true);
        radioGroup->addAction(item);
    }
    m_show->setChecked(true);
    m_menu->addSeparator()->setObjectName(QStringLiteral("N2"));
    QAction* properties = AddItem(*m_menu, "mProperties", QStringLiteral("Properties"));
    m_beforeExit = m_menu->addSeparator();
    m_beforeExit->setObjectName(QStringLiteral("N1"));
    QAction* exit = AddItem(*m_menu, "mExit", QStringLiteral("Exit"));
    m_menu->setDefaultAction(m_show);

    connect(m_show, &QAction::triggered, this, &TrayMenu::showRequested);
    connect(m_hide, &QAction::triggered, this, &TrayMenu::hideRequested);
    connect(properties, &QAction::triggered, this, &TrayMenu::propertiesRequested);
    connect(exit, &QAction::triggered, this, &TrayMenu::exitRequested);
}

void TrayMenu::showTrayIcon()
{
    // Off X11 the tray is the desktop's notification service alone: where
    // none runs, an icon would only complain on the console.
    if (m_trayIcon || (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && !TrayIcon::TrayAvailable()))
        return;
    m_trayIcon = new TrayIcon(&m_clock);
    m_trayIcon->setIconVisible(true);
    m_trayIcon->setIcon(QGuiApplication::windowIcon());
    m_trayIcon->setHint(QLatin1String(kClockTitle));
    m_trayIcon->OnClick = [this](QObject*) { emit showRequested(); };
    m_trayIcon->OnDblClick = [this](QObject*) { emit showRequested(); };
    m_trayIcon->setPopupMenu(m_menu);
}

bool TrayMenu::clockHidden() const
{
    return m_hide->isChecked();
}

void TrayMenu::setClockHidden(bool hidden)
{
    (hidden ? m_hide : m_show)->setChecked(true);
}

void TrayMenu::followSnoozes(AlarmSchedule& schedule)
{
    m_schedule = &schedule;
    connect(m_schedule, &AlarmSchedule::snoozesChanged, this, &TrayMenu::listSnoozes);
    // A renamed alarm shows its new name.
    connect(&m_schedule->store(), &AlarmStore::alarmChanged, this, &TrayMenu::listSnoozes);
    listSnoozes();
}

void TrayMenu::listSnoozes()
{
    for (QAction* item : m_snoozeItems)
        delete item;
    m_snoozeItems.clear();
    for (const AlarmSnooze& snooze : m_schedule->Snoozes()) {
        const AlarmRecord* alarm = m_schedule->store().find(snooze.alarm);
        if (!alarm)
            continue;
        auto* item = new QAction(QStringLiteral("Cancel snooze: \"%1\", %2")
                                     .arg(alarm->Name.text(), SnoozedUntilText(snooze.due, true)),
            m_menu);
        item->setObjectName(QStringLiteral("mCancelSnooze"));
        m_menu->insertAction(m_beforeExit, item);
        const AlarmId id = snooze.alarm;
        connect(item, &QAction::triggered, this, [this, id] { m_schedule->CancelSnoozes(id); });
        m_snoozeItems.push_back(item);
    }
}
