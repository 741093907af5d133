#pragma once

#include <QString>

#include <stdexcept>

// The input-output error of file operations. It carries the text the user
// sees in the application's error box.
class IoError : public std::runtime_error {
public:
    explicit IoError(const QString& message) : std::runtime_error(message.toStdString()) {}

    QString message() const { return QString::fromStdString(what()); }
};
