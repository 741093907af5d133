#pragma once

#include "platform/files/MessageError.h"

#include <QString>

// A picture that cannot be decoded or encoded; the text is the image
// library's own message, or says what is wrong with the picture.
class PictureError : public MessageError {
public:
    using MessageError::MessageError;
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
