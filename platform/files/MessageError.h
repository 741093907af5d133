#pragma once

#include <QString>

#include <stdexcept>

// An error whose text is a message for the user: the application's error box
// shows it as it stands. The kinds of error below derive from it, so a
// caller can tell a file from a picture or a sound and still reach the text
// the same way.
class MessageError : public std::runtime_error {
public:
    explicit MessageError(const QString& message) : std::runtime_error(message.toStdString()) {}

    QString message() const { return QString::fromStdString(what()); }
};
