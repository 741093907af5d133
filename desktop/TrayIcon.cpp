#include "desktop/TrayIcon.h"

#include "platform/TaskbarButton.h"

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

TTrayNotifyIcon::TTrayNotifyIcon(QWidget* owner) : QObject(owner), m_owner(owner), m_trayIcon(new QSystemTrayIcon(this))
{
    m_clickTimer.setSingleShot(true);
    m_clickTimer.setInterval(QApplication::doubleClickInterval());
    connect(&m_clickTimer, &QTimer::timeout, this, &TTrayNotifyIcon::ClickTimerElapsed);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            ButtonPressed();
        else if (reason == QSystemTrayIcon::DoubleClick)
            DoubleClicked();
    });
    m_trayIcon->setIcon(CurrentIcon());
}

TTrayNotifyIcon::~TTrayNotifyIcon()
{
    setIconVisible(false);
}

QIcon TTrayNotifyIcon::FallbackIcon()
{
    return QIcon(QStringLiteral(":/icons/vellamor.png"));
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
    m_popupMenu = menu;
    m_trayIcon->setContextMenu(menu);
    if (menu)
        connect(menu, &QObject::destroyed, this, [this] { m_trayIcon->setContextMenu(nullptr); });
}

void TTrayNotifyIcon::ButtonPressed()
{
    m_clickTimer.start();
}

void TTrayNotifyIcon::DoubleClicked()
{
    m_clickSuppressed = true;
    if (OnDblClick)
        OnDblClick(this);
}

void TTrayNotifyIcon::ClickTimerElapsed()
{
    if (!m_clickSuppressed && OnClick)
        OnClick(this);
    m_clickSuppressed = false;
}
