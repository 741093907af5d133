#include "desktop/TrayIcon.h"

#include "desktop/ProgramIcon.h"
#include "platform/x11/TaskbarButton.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>
#include <QWidget>

TrayIcon::TrayIcon(QWidget* owner) : QObject(owner), FOwner(owner), FTrayIcon(new QSystemTrayIcon(this))
{
    FClickTimer.setSingleShot(true);
    FClickTimer.setInterval(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    connect(&FClickTimer, &QTimer::timeout, this, &TrayIcon::ClickTimerElapsed);
    connect(FTrayIcon, &QSystemTrayIcon::activated, this, &TrayIcon::TrayActivated);
    FTrayIcon->setIcon(CurrentIcon());
    FOwner->installEventFilter(this);
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
    return FIcon.isNull() ? FallbackIcon() : FIcon;
}

void TrayIcon::setIcon(const QIcon& icon)
{
    FIcon = icon;
    FTrayIcon->setIcon(CurrentIcon());
}

void TrayIcon::setHideTask(bool hide)
{
    if (hide == FHideTask)
        return;
    FHideTask = hide;
    SetTaskbarButtonHidden(FOwner, hide);
}

void TrayIcon::setHint(const QString& hint)
{
    if (hint == FHint)
        return;
    FHint = hint;
    FTrayIcon->setToolTip(hint.left(kMaxHintLength));
}

void TrayIcon::setIconVisible(bool visible)
{
    if (visible == FIconVisible)
        return;
    FIconVisible = visible;
    FTrayIcon->setVisible(visible);
}

void TrayIcon::setPopupMenu(QMenu* menu)
{
    if (menu == FPopupMenu)
        return;
    disconnect(FMenuDestroyed);
    FPopupMenu = menu;
    FTrayIcon->setContextMenu(menu);
    if (menu)
        FMenuDestroyed = connect(menu, &QObject::destroyed, this, &TrayIcon::ForgetPopupMenu);
}

void TrayIcon::ForgetPopupMenu()
{
    // The menu is no longer a QMenu while it is destroyed: let go of it
    // without looking at it through its type.
    disconnect(FMenuDestroyed);
    FPopupMenu.clear();
    FTrayIcon->setContextMenu(nullptr);
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event)
{
    // The window manager drops the skip-taskbar state when the owner is
    // hidden (also when a change of its window flags hides it), and Qt may
    // map a new native window: ask again once the show has gone through.
    if (watched == FOwner && event->type() == QEvent::Show && FHideTask) {
        QTimer::singleShot(0, this, [this] {
            if (FHideTask)
                SetTaskbarButtonHidden(FOwner, true);
        });
    }
    return QObject::eventFilter(watched, event);
}

void TrayIcon::TrayActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        // A press while a click is pending belongs to that click.
        if (!FClickTimer.isActive())
            FClickTimer.start();
        break;
    case QSystemTrayIcon::DoubleClick:
        // The double click swallows the single click its first press began.
        FClickTimer.stop();
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
