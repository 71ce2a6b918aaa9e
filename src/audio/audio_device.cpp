#include "audio/audio_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <filesystem>
#include <system_error>

namespace lv::audio {

namespace {

constexpr int SampleRate = 44100;
constexpr int Channels = 2;
constexpr int ChunkSamples = 2048;

bool IsFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

}  // namespace

AudioDevice::AudioDevice(const AudioDeviceOptions& options) {
    const char* preferred =
        options.PreferredDriver.empty() ? nullptr : options.PreferredDriver.c_str();
    if (!TryOpen(preferred)) {
        failureText_ = SDL_GetError();
        TryOpen("dummy");
    }
    if (!open_) {
        return;
    }
    // Decoders are loaded on demand; formats whose library is missing just fail to load later.
    mixerFormats_ = Mix_Init(MIX_INIT_MID | MIX_INIT_OGG | MIX_INIT_MP3 | MIX_INIT_FLAC);
    if (IsFile(options.SoundFont)) {
        Mix_SetSoundFonts(options.SoundFont.c_str());
    }
    if (IsFile(options.TimidityConfig)) {
        Mix_SetTimidityCfg(options.TimidityConfig.c_str());
    }
}

bool AudioDevice::TryOpen(const char* driver) {
    // SDL would turn SIGTERM and SIGINT into quit events nobody reads here; a saver must end
    // when its host (or the user) terminates it.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (driver != nullptr) {
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, SDL_HINT_OVERRIDE);
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    if (Mix_OpenAudio(SampleRate, AUDIO_S16SYS, Channels, ChunkSamples) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    sdlAudioStarted_ = true;
    open_ = true;
    const char* name = SDL_GetCurrentAudioDriver();
    driverName_ = name != nullptr ? name : "";
    return true;
}

AudioDevice::~AudioDevice() {
    if (open_) {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        Mix_CloseAudio();
        if (mixerFormats_ != 0) {
            Mix_Quit();
        }
    }
    if (sdlAudioStarted_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

}  // namespace lv::audio
