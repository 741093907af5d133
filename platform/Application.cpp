#include "platform/Application.h"

#include <QMessageBox>

#include <exception>
#include <utility>

namespace {

void ShowErrorBox(const QString& message)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), message);
}

ErrorPresenter& CurrentPresenter()
{
    static ErrorPresenter presenter = ShowErrorBox;
    return presenter;
}

void ShowMessageBox(const QString& message)
{
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), message);
}

MessagePresenter& CurrentMessagePresenter()
{
    static MessagePresenter presenter = ShowMessageBox;
    return presenter;
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

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
    CurrentPresenter()(message);
}

ErrorPresenter SetErrorPresenter(ErrorPresenter presenter)
{
    return std::exchange(CurrentPresenter(), std::move(presenter));
}

void ShowMessage(const QString& message)
{
    CurrentMessagePresenter()(message);
}

MessagePresenter SetMessagePresenter(MessagePresenter presenter)
{
    return std::exchange(CurrentMessagePresenter(), std::move(presenter));
}
