#pragma once

#include <string>

#include "saver/show_audio.h"

namespace lv {

// A sound back-end that plays nothing and opens no sound device, for a show that must stay
// quiet (a host's small preview in its settings dialog).
class MutedShowAudio final : public ShowAudio {
public:
    void PlayMusic(const std::string&) override {}
    void StopMusic() override {}
    bool TakeMusicTrackFinished() override { return false; }
    void PlayPictureSound(const std::string&) override {}
    void StopPictureSound() override {}
};

}  // namespace lv
