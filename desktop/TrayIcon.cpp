#include "desktop/TrayIcon.h"

#include "platform/TaskbarButton.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>
#include <QWidget>

TTrayNotifyIcon::TTrayNotifyIcon(QWidget* owner) : QObject(owner), m_owner(owner), m_trayIcon(new QSystemTrayIcon(this))
{
    m_clickTimer.setSingleShot(true);
    m_clickTimer.setInterval(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    connect(&m_clickTimer, &QTimer::timeout, this, &TTrayNotifyIcon::ClickTimerElapsed);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &TTrayNotifyIcon::TrayActivated);
    m_trayIcon->setIcon(CurrentIcon());
    m_owner->installEventFilter(this);
}

TTrayNotifyIcon::~TTrayNotifyIcon()
{
    setIconVisible(false);
}

QIcon TTrayNotifyIcon::FallbackIcon()
{
    return QIcon(QStringLiteral(":/icons/vellamor.png"));
}

bool TTrayNotifyIcon::TrayAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

QIcon TTrayNotifyIcon::CurrentIcon() const
{
    return m_icon.isNull() ? FallbackIcon() : m_icon;
}

void TTrayNotifyIcon::setIcon(const QIcon& icon)
{
    m_icon = icon;
    m_trayIcon->setIcon(CurrentIcon());
}

void TTrayNotifyIcon::setHideTask(bool hide)
{
    if (hide == m_hideTask)
        return;
    m_hideTask = hide;
    SetTaskbarButtonHidden(m_owner, hide);
}

void TTrayNotifyIcon::setHint(const QString& hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    m_trayIcon->setToolTip(hint.left(kMaxHintLength));
}

void TTrayNotifyIcon::setIconVisible(bool visible)
{
    if (visible == m_iconVisible)
        return;
    m_iconVisible = visible;
    m_trayIcon->setVisible(visible);
}

void TTrayNotifyIcon::setPopupMenu(QMenu* menu)
{
    if (menu == m_popupMenu)
        return;
    disconnect(m_menuDestroyed);
    m_popupMenu = menu;
    m_trayIcon->setContextMenu(menu);
    if (menu)
        m_menuDestroyed = connect(menu, &QObject::destroyed, this, &TTrayNotifyIcon::ForgetPopupMenu);
}

void TTrayNotifyIcon::ForgetPopupMenu()
{
    // The menu is no longer a QMenu while it is destroyed: let go of it
    // without looking at it through its type.
    disconnect(m_menuDestroyed);
    m_popupMenu.clear();
    m_trayIcon->setContextMenu(nullptr);
}

bool TTrayNotifyIcon::eventFilter(QObject* watched, QEvent* event)
{
    // The window manager drops the skip-taskbar state when the owner is
    // hidden (also when a change of its window flags hides it), and Qt may
    // map a new native window: ask again once the show has gone through.
    if (watched == m_owner && event->type() == QEvent::Show && m_hideTask) {
        QTimer::singleShot(0, this, [this] {
            if (m_hideTask)
                SetTaskbarButtonHidden(m_owner, true);
        });
    }
    return QObject::eventFilter(watched, event);
}

void TTrayNotifyIcon::TrayActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        // A press while a click is pending belongs to that click.
        if (!m_clickTimer.isActive())
            m_clickTimer.start();
        break;
    case QSystemTrayIcon::DoubleClick:
        // The double click swallows the single click its first press began.
        m_clickTimer.stop();
        if (OnDblClick)
            OnDblClick(this);
        break;
    case QSystemTrayIcon::Context: // the tray opens PopupMenu itself
    case QSystemTrayIcon::MiddleClick:
    case QSystemTrayIcon::Unknown:
        break;
    }
}

void TTrayNotifyIcon::ClickTimerElapsed()
{
    if (OnClick)
        OnClick(this);
}
