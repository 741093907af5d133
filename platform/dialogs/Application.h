#pragma once

#include <QApplication>
#include <QString>

#include <functional>

// The application object. An exception that escapes any event handler is
// shown in a message box with its text, and the program goes on running.
// The program ends when its main window closes and says so, never because
// its last visible window closed: a box or an alarm over a hidden clock is
// often the only window on screen.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows an error to the user. Tests replace the presenter, which by default
// opens a message box captioned with the application's name over the window
// DialogParent() names, modal to that window alone, and waits for OK.
using ErrorPresenter = std::function<void(const QString& message)>;
void ShowError(const QString& message);
ErrorPresenter SetErrorPresenter(ErrorPresenter presenter);

// Shows a plain message, such as a missing file the user can fix. Tests
// replace the presenter, which by default opens a message box as ShowError
// does.
using MessagePresenter = std::function<void(const QString& message)>;
void ShowMessage(const QString& message);
MessagePresenter SetMessagePresenter(MessagePresenter presenter);

// Asks the user a yes-or-no question; true only for Yes. Tests replace the
// presenter, which by default opens a modal confirmation box captioned with
// the application's name, where Escape and the close button answer No.
using ConfirmationPresenter = std::function<bool(const QString& question)>;
bool Confirm(const QString& question);
ConfirmationPresenter SetConfirmationPresenter(ConfirmationPresenter presenter);
