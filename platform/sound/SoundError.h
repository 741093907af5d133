#pragma once

#include "platform/files/MessageError.h"

// A sound file that the player cannot open or play; the text names the file
// and carries the player's own reason.
class SoundError : public MessageError {
public:
    using MessageError::MessageError;
};
