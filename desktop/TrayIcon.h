#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class QSystemTrayIcon;
class QWidget;

// One icon in the desktop's notification area, with a context menu, click
// and double-click reports, and control over the taskbar button of the
// window that owns it. A single click is reported one double-click interval
// after the press, so that a double click can swallow it.
class TTrayNotifyIcon : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxHintLength = 63;

    // owner: the window whose taskbar button HideTask controls.
    explicit TTrayNotifyIcon(QWidget* owner);
    ~TTrayNotifyIcon() override;

    void setIcon(const QIcon& icon);
    const QIcon& Icon() const { return m_icon; }

    void setHideTask(bool hide);
    bool HideTask() const { return m_hideTask; }

    void setHint(const QString& hint);
    const QString& Hint() const { return m_hint; }

    void setIconVisible(bool visible);
    bool IconVisible() const { return m_iconVisible; }

    void setPopupMenu(QMenu* menu);
    QMenu* PopupMenu() const { return m_popupMenu; }

    std::function<void(QObject* sender)> OnClick;
    std::function<void(QObject* sender)> OnDblClick;

    // The icon shown while Icon is empty.
    static QIcon FallbackIcon();

private:
    void ButtonPressed();
    void DoubleClicked();
    void ClickTimerElapsed();
    QIcon CurrentIcon() const;

    QWidget* const m_owner;
    QSystemTrayIcon* const m_trayIcon;
    QTimer m_clickTimer;
    QIcon m_icon;
    QString m_hint;
    QPointer<QMenu> m_popupMenu;
    bool m_hideTask = false;
    bool m_iconVisible = false;
    bool m_clickSuppressed = false;
};
