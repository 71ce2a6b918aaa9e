#pragma once

#include <string>

namespace lv::audio {

// Sound sets for MIDI music, tried in this order by the mixer: a SoundFont for FluidSynth and a
// Timidity configuration (with its patches). Missing files are skipped.
inline constexpr const char* DefaultSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
inline constexpr const char* DefaultTimidityConfig = "/etc/timidity/freepats.cfg";

struct AudioDeviceOptions {
    // The SDL audio driver to try first; empty for SDL's own choice (the SDL_AUDIODRIVER
    // environment variable, else the first driver that works).
    std::string PreferredDriver;
    std::string SoundFont = DefaultSoundFont;
    std::string TimidityConfig = DefaultTimidityConfig;
};

// The process's one mixer output, open from construction to destruction. A machine without a
// sound device must not stop the show: when the first driver fails the device falls back to
// SDL's "dummy" driver, which consumes the mixed sound in real time without playing it; when
// even that fails the device stays closed and everything played through it is silent.
class AudioDevice {
public:
    explicit AudioDevice(const AudioDeviceOptions& options = {});
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    bool IsOpen() const { return open_; }
    // The driver in use ("alsa", "pulseaudio", "dummy", ...); empty when closed.
    const std::string& DriverName() const { return driverName_; }
    // Why the preferred driver, or every driver, failed; empty when the first try worked.
    const std::string& FailureText() const { return failureText_; }

private:
    bool TryOpen(const char* driver);

    bool open_ = false;
    bool sdlAudioStarted_ = false;
    int mixerFormats_ = 0;
    std::string driverName_;
    std::string failureText_;
};

}  // namespace lv::audio
