#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>

class QWidget;

// One icon in the desktop's notification area, with a context menu, click
// and double-click reports, and control over the taskbar button of the
// window that owns it.
//
// The tray reports the left button when it goes down and a double click at
// the second press; the right button opens PopupMenu (when there is one) as
// it goes down. A single click is reported one double-click interval after
// the press, so that a double click, reported at once, can swallow it.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    // Longest tooltip the tray shows; a longer Hint is cut.
    static constexpr int kMaxHintLength = 63;

    // owner: the window whose taskbar button HideTask controls. The icon
    // starts out of the tray (IconVisible false).
    explicit TrayIcon(QWidget* owner);
    ~TrayIcon() override;

    // The icon shown in the tray; while it is empty, FallbackIcon is shown.
    void setIcon(const QIcon& icon);
    const QIcon& Icon() const { return m_icon; }

    // Whether the owner has no taskbar button. Kept across hiding and
    // showing the owner, which makes the window manager forget it.
    void setHideTask(bool hide);
    bool HideTask() const { return m_hideTask; }

    // The tooltip, stored whole; the tray shows its first kMaxHintLength
    // characters.
    void setHint(const QString& hint);
    const QString& Hint() const { return m_hint; }

    void setIconVisible(bool visible);
    bool IconVisible() const { return m_iconVisible; }

    // Not owned; becomes null when the menu is destroyed.
    void setPopupMenu(QMenu* menu);
    QMenu* PopupMenu() const { return m_popupMenu; }

    std::function<void(QObject* sender)> OnClick;
    std::function<void(QObject* sender)> OnDblClick;

    // Delays the single click; its interval is the double-click time when
    // the icon was created.
    const QTimer& ClickTimer() const { return m_clickTimer; }

    static QIcon FallbackIcon();
    // Whether the desktop has a notification area at the moment. Without
    // one the icon cannot be seen or clicked.
    static bool TrayAvailable();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TrayActivated(QSystemTrayIcon::ActivationReason reason);
    void ClickTimerElapsed();
    void ForgetPopupMenu();
    QIcon CurrentIcon() const;

    QWidget* const m_owner;
    QSystemTrayIcon* const m_trayIcon;
    QTimer m_clickTimer;
    QIcon m_icon;
    QString m_hint;
    QPointer<QMenu> m_popupMenu;
    QMetaObject::Connection m_menuDestroyed;
    bool m_hideTask = false;
    bool m_iconVisible = false;
};
