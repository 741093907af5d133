#pragma once

#include <QString>

#include <stdexcept>

// A sound file that the player cannot open or play; the text names the file
// and carries the player's own reason.
class SoundError : public std::runtime_error {
public:
    explicit SoundError(const QString& message) : std::runtime_error(message.toStdString()) {}

    QString message() const { return QString::fromStdString(what()); }
};
