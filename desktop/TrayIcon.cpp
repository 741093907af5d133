#include "desktop/TrayIcon.h"

#include "desktop/ProgramIcon.h"
#include "platform/x11/TaskbarButton.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>
#include <QWidget>

TrayIcon::TrayIcon(QWidget* owner) : QObject(owner), m_owner(owner), m_trayIcon(new QSystemTrayIcon(this))
{
    m_clickTimer.setSingleShot(true);
    m_clickTimer.setInterval(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    connect(&m_clickTimer, &QTimer::timeout, this, &TrayIcon::ClickTimerElapsed);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &TrayIcon::TrayActivated);
    m_trayIcon->setIcon(CurrentIcon());
    m_owner->installEventFilter(this);
}

TrayIcon::~TrayIcon()
{
    setIconVisible(false);
}

QIcon TrayIcon::FallbackIcon()
{
    return ProgramIcon();
}

bool TrayIcon::TrayAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

QIcon TrayIcon::CurrentIcon() const
{
    return m_icon.isNull() ? FallbackIcon() : m_icon;
}

void TrayIcon::setIcon(const QIcon& icon)
{
    m_icon = icon;
    m_trayIcon->setIcon(CurrentIcon());
}

void TrayIcon::setHideTask(bool hide)
{
    if (hide == m_hideTask)
        return;
    m_hideTask = hide;
    SetTaskbarButtonHidden(m_owner, hide);
}

void TrayIcon::setHint(const QString& hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    m_trayIcon->setToolTip(hint.left(kMaxHintLength));
}

void TrayIcon::setIconVisible(bool visible)
{
    if (visible == m_iconVisible)
        return;
    m_iconVisible = visible;
    m_trayIcon->setVisible(visible);
}

void TrayIcon::setPopupMenu(QMenu* menu)
{
    if (menu == m_popupMenu)
        return;
    disconnect(m_menuDestroyed);
    m_popupMenu = menu;
    m_trayIcon->setContextMenu(menu);
    if (menu)
        m_menuDestroyed = connect(menu, &QObject::destroyed, this, &TrayIcon::ForgetPopupMenu);
}

void TrayIcon::ForgetPopupMenu()
{
    // The menu is no longer a QMenu while it is destroyed: let go of it
    // without looking at it through its type.
    disconnect(m_menuDestroyed);
    m_popupMenu.clear();
    m_trayIcon->setContextMenu(nullptr);
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event)
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

void TrayIcon::TrayActivated(QSystemTrayIcon::ActivationReason reason)
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

void TrayIcon::ClickTimerElapsed()
{
    if (OnClick)
        OnClick(this);
}
