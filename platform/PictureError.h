#pragma once

#include <QString>

#include <stdexcept>

// A picture that cannot be decoded or encoded; the text is the image
// library's own message, or says what is wrong with the picture.
class PictureError : public std::runtime_error {
public:
    explicit PictureError(const QString& message) : std::runtime_error(message.toStdString()) {}

    QString message() const { return QString::fromStdString(what()); }
};
