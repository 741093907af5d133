#include "platform/dialogs/Application.h"

#include "platform/dialogs/DialogOwner.h"

#include <QMessageBox>

#include <exception>
#include <utility>

namespace {

// Waits for OK; the tray icon and the clock's tick carry on meanwhile.
void ShowBox(QMessageBox::Icon icon, const QString& message)
{
    QMessageBox box(icon, QApplication::applicationName(), message, QMessageBox::Ok, DialogParent());
    MakeModalToItsWindow(box);
    box.exec();
}

void ShowErrorBox(const QString& message)
{
    ShowBox(QMessageBox::Critical, message);
}

void ShowMessageBox(const QString& message)
{
    ShowBox(QMessageBox::NoIcon, message);
}

// Escape and the close button answer No.
bool AskInBox(const QString& question)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), question,
        QMessageBox::Yes | QMessageBox::No, DialogParent());
    box.setDefaultButton(QMessageBox::No);
    MakeModalToItsWindow(box);
    return box.exec() == QMessageBox::Yes;
}

ConfirmationPresenter& CurrentConfirmationPresenter()
{
    static ConfirmationPresenter presenter = AskInBox;
    return presenter;
}

template <void (*ShowBox)(const QString&)>
std::function<void(const QString&)>& CurrentPresenter()
{
    static std::function<void(const QString&)> presenter = ShowBox;
    return presenter;
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setQuitOnLastWindowClosed(false);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowError(QString::fromStdString(error.what()));
    } catch (...) {
        ShowError(QStringLiteral("Unexpected error"));
    }
    return false;
}

void ShowError(const QString& message)
{
    CurrentPresenter<ShowErrorBox>()(message);
}

ErrorPresenter SetErrorPresenter(ErrorPresenter presenter)
{
    return std::exchange(CurrentPresenter<ShowErrorBox>(), std::move(presenter));
}

void ShowMessage(const QString& message)
{
    CurrentPresenter<ShowMessageBox>()(message);
}

MessagePresenter SetMessagePresenter(MessagePresenter presenter)
{
    return std::exchange(CurrentPresenter<ShowMessageBox>(), std::move(presenter));
}

bool Confirm(const QString& question)
{
    return CurrentConfirmationPresenter()(question);
}

ConfirmationPresenter SetConfirmationPresenter(ConfirmationPresenter presenter)
{
    return std::exchange(CurrentConfirmationPresenter(), std::move(presenter));
}
