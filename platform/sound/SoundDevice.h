#pragma once

#include <QString>
#include <QtPlugin>

#include <functional>
#include <memory>

// One sound file on the default audio output, as the sound plugin plays it.
// MediaPlayer loads the plugin when the first sound is opened, so that the
// multimedia libraries and the audio server stay out of a clock whose alarms
// never ring. Everything here is inline: the plugin and the program share
// no code but this header.
class SoundDevice {
public:
    // Receives the end of a play: an empty text when the sound played to
    // its end, or why the play failed. It may come more than once for one
    // failed play.
    using EndHandler = std::function<void(const QString& error)>;

    virtual ~SoundDevice() = default;

    // Closes the sound opened before and opens the file, returning once the
    // player has read enough of it to play it. Returns why the file cannot
    // be played, or an empty text.
    virtual QString Open(const QString& absolutePath) = 0;
    // Plays the open sound from its start.
    virtual void Play() = 0;
    // Ends a running play at once, with no end reported for it.
    virtual void Stop() = 0;
    virtual bool IsPlaying() const = 0;
    // Whether the running play has begun to sound: the player's position
    // has moved past the start.
    virtual bool HasBegun() const = 0;
};

// The plugin's root object offers this interface.
class SoundDeviceFactory {
public:
    virtual ~SoundDeviceFactory() = default;

    virtual std::unique_ptr<SoundDevice> CreateSoundDevice(SoundDevice::EndHandler ended) = 0;
};

#define VELLAMOR_SOUND_DEVICE_FACTORY_IID "org.vellamor.SoundDeviceFactory/2"
Q_DECLARE_INTERFACE(SoundDeviceFactory, VELLAMOR_SOUND_DEVICE_FACTORY_IID)
