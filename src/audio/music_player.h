#pragma once

#include <string>

struct _Mix_Music;

namespace lv::audio {

class AudioDevice;

// Background music, one track at a time, each played once. The mixer reports the end of a track
// on its own audio thread, where no mixer function may be called; the report only sets a flag,
// which the show's thread takes with TakeTrackFinished and answers by starting the next track.
// The mixer has a single music hook, so only one player may exist at a time.
class MusicPlayer {
public:
    explicit MusicPlayer(AudioDevice& device);
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // Stops the current track and plays `path` once. Raises lv::Error naming the file when it
    // cannot be loaded or played, or when there is no audio device.
    void Play(const std::string& path);
    void Stop();

    // True once after a track has played to its end; a track that was stopped or replaced does
    // not count. Safe to call while the mixer runs.
    bool TakeTrackFinished();

    const std::string& CurrentFile() const { return currentFile_; }

private:
    AudioDevice& device_;
    _Mix_Music* music_ = nullptr;
    std::string currentFile_;
};

}  // namespace lv::audio
