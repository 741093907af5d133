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

// Pictures above this many pixels are refused before any memory is taken.
inline constexpr long long kMaxPicturePixels = 64LL * 1000 * 1000;

// The error for a picture above kMaxPicturePixels.
inline PictureError PictureTooLargeError(long long width, long long height)
{
    return PictureError(QStringLiteral("The picture is too large (%1 × %2 pixels; at most 64 megapixels are accepted)")
                            .arg(width)
                            .arg(height));
}
