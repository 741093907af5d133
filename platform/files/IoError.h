#pragma once

#include "platform/files/MessageError.h"

// The input-output error of file operations. It carries the text the user
// sees in the application's error box.
class IoError : public MessageError {
public:
    using MessageError::MessageError;
};
