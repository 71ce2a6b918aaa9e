#pragma once

#include <string>

struct Mix_Chunk;

namespace lv::audio {

class AudioDevice;

// The looping sound of the picture on screen, on a mixer channel of its own. Starting a sound
// stops the one before; a file that is missing or cannot be decoded leaves silence, never an
// error, as a picture without its sound is still worth showing.
class PictureSoundPlayer {
public:
    explicit PictureSoundPlayer(AudioDevice& device);
    ~PictureSoundPlayer();
    PictureSoundPlayer(const PictureSoundPlayer&) = delete;
    PictureSoundPlayer& operator=(const PictureSoundPlayer&) = delete;

    void Play(const std::string& path);
    void Stop();

    bool Playing() const;
    // Why the last Play left silence; empty after a sound started.
    const std::string& LastFailure() const { return lastFailure_; }

private:
    AudioDevice& device_;
    Mix_Chunk* chunk_ = nullptr;
    std::string lastFailure_;
};

}  // namespace lv::audio
