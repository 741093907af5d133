#include "platform/dialogs/DialogOwner.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QWidget>

namespace {

QPointer<QWidget>& MainWindow()
{
    static QPointer<QWidget> window;
    return window;
}

} // namespace

void SetMainWindow(QWidget* window)
{
    MainWindow() = window;
}

QWidget* DialogParent()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    QWidget* main = MainWindow();
    return main && main->isVisible() && !main->isMinimized() ? main : nullptr;
}

void MakeModalToItsWindow(QDialog& dialog)
{
    // A window-modal dialog blocks its parent's family of windows; without
    // a parent it blocks none (an application-modal one would block the
    // tray icon too).
    dialog.setWindowModality(Qt::WindowModal);
}
