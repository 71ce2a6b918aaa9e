#pragma once

#include <string>

namespace lv {

// The sound back-end the show drives: one background music track at a time and one looping
// picture sound. Implemented over the platform's mixer outside the core; tests use a fake.
class ShowAudio {
public:
    virtual ~ShowAudio() = default;

    // Stops any track and plays `path` once. Raises lv::Error (naming the file) when the file
    // cannot be opened or played.
    virtual void PlayMusic(const std::string& path) = 0;
    virtual void StopMusic() = 0;
    // True once for each track that played to its end. Safe to poll from the show's thread
    // while the mixer runs on its own.
    virtual bool TakeMusicTrackFinished() = 0;

    // Stops the current picture sound and loops `path`; a path that does not exist or cannot
    // be played leaves silence and raises nothing.
    virtual void PlayPictureSound(const std::string& path) = 0;
    virtual void StopPictureSound() = 0;
};

}  // namespace lv
