#include "audio/music_player.h"

#include <SDL_mixer.h>

#include <atomic>

#include "audio/audio_device.h"
#include "common/error.h"

namespace lv::audio {

namespace {

// Written by the mixer's audio thread, read by the show's thread.
std::atomic<bool> g_trackFinished{false};
std::atomic<bool> g_playerExists{false};

void OnMusicFinished() { g_trackFinished.store(true, std::memory_order_release); }

}  // namespace

MusicPlayer::MusicPlayer(AudioDevice& device) : device_(device) {
    if (g_playerExists.exchange(true)) {
        throw Error("Only one music player can exist at a time");
    }
    if (device_.IsOpen()) {
        Mix_HookMusicFinished(OnMusicFinished);
    }
}

MusicPlayer::~MusicPlayer() {
    Stop();
    if (device_.IsOpen()) {
        Mix_HookMusicFinished(nullptr);
    }
    g_playerExists.store(false);
}

void MusicPlayer::Play(const std::string& path) {
    Stop();
    if (!device_.IsOpen()) {
        throw Error("No audio device", path);
    }
    _Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (music == nullptr) {
        throw Error(std::string("Cannot open music: ") + Mix_GetError(), path);
    }
    // Halting a track calls the hook on this thread, so the flag is cleared only now.
    g_trackFinished.store(false, std::memory_order_release);
    if (Mix_PlayMusic(music, 1) != 0) {
        const std::string reason = Mix_GetError();
        Mix_FreeMusic(music);
        throw Error("Cannot play music: " + reason, path);
    }
    music_ = music;
    currentFile_ = path;
}

void MusicPlayer::Stop() {
    if (music_ != nullptr) {
        Mix_HaltMusic();
        Mix_FreeMusic(music_);
        music_ = nullptr;
        currentFile_.clear();
    }
    g_trackFinished.store(false, std::memory_order_release);
}

bool MusicPlayer::TakeTrackFinished() {
    return music_ != nullptr && g_trackFinished.exchange(false, std::memory_order_acq_rel);
}

}  // namespace lv::audio
