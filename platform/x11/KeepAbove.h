#pragma once

#include <QAbstractNativeEventFilter>

class QWidget;

// Keeps a window above the other windows where no window manager does (the
// stay-on-top hint needs one): whenever another program's window is mapped,
// raised or moved, the window is raised again, and the program's own other
// windows (its dialogs, which belong above it) after it. Menus and other
// override-redirect windows are left above. Does nothing off X11 or while a
// window manager runs. As far as X allows: a program that raises its window
// after every raise of ours takes turns with it.
class KeepAbove : public QAbstractNativeEventFilter {
public:
    explicit KeepAbove(QWidget& window);
    ~KeepAbove() override;
    KeepAbove(const KeepAbove&) = delete;
    KeepAbove& operator=(const KeepAbove&) = delete;

    // On: the window is raised now and kept above; off: left where it is.
    void setEnabled(bool enabled);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void raise();

    QWidget& m_window;
    bool m_enabled = false;
    bool m_watchingRoot = false;
};
