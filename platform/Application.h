#pragma once

#include <QApplication>
#include <QString>

#include <functional>

// The application object. An exception that escapes any event handler is
// shown in a message box with its text, and the program goes on running.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows an error to the user. Tests replace the presenter, which by default
// opens a modal message box captioned with the application's name.
using ErrorPresenter = std::function<void(const QString& message)>;
void ShowError(const QString& message);
ErrorPresenter SetErrorPresenter(ErrorPresenter presenter);

// Tells the user something that is not an error. Tests replace the presenter,
// which by default opens a modal information box captioned with the
// application's name.
using MessagePresenter = std::function<void(const QString&)>;
void ShowMessage(const QString&);
MessagePresenter SetMessagePresenter(MessagePresenter);
