#include "audio/picture_sound_player.h"

#include <SDL_mixer.h>

#include "audio/audio_device.h"

namespace lv::audio {

namespace {

constexpr int PictureSoundChannel = 0;
constexpr int LoopForever = -1;

}  // namespace

PictureSoundPlayer::PictureSoundPlayer(AudioDevice& device) : device_(device) {
    if (device_.IsOpen()) {
        // Keep the channel for picture sounds away from anything else that plays chunks.
        Mix_ReserveChannels(PictureSoundChannel + 1);
    }
}

PictureSoundPlayer::~PictureSoundPlayer() { Stop(); }

void PictureSoundPlayer::Play(const std::string& path) {
    Stop();
    lastFailure_.clear();
    if (!device_.IsOpen()) {
        lastFailure_ = "no audio device";
        return;
    }
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (chunk == nullptr) {
        lastFailure_ = Mix_GetError();
        return;
    }
    if (Mix_PlayChannel(PictureSoundChannel, chunk, LoopForever) < 0) {
        lastFailure_ = Mix_GetError();
        Mix_FreeChunk(chunk);
        return;
    }
    chunk_ = chunk;
}

void PictureSoundPlayer::Stop() {
    if (chunk_ != nullptr) {
        // The channel must be halted before its chunk is freed.
        Mix_HaltChannel(PictureSoundChannel);
        Mix_FreeChunk(chunk_);
        chunk_ = nullptr;
    }
}

bool PictureSoundPlayer::Playing() const {
    return chunk_ != nullptr && Mix_Playing(PictureSoundChannel) != 0;
}

}  // namespace lv::audio
