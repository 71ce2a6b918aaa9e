#pragma once

#include "audio/audio_device.h"
#include "audio/music_player.h"
#include "audio/picture_sound_player.h"
#include "saver/show_audio.h"

namespace lv::audio {

// The show's sound back-end over SDL_mixer: the device, the music player and the picture
// sound player, as the show loop drives them.
class SdlShowAudio final : public ShowAudio {
public:
    explicit SdlShowAudio(const AudioDeviceOptions& options = {});

    void PlayMusic(const std::string& path) override { music_.Play(path); }
    void StopMusic() override { music_.Stop(); }
    bool TakeMusicTrackFinished() override { return music_.TakeTrackFinished(); }
    void PlayPictureSound(const std::string& path) override { sound_.Play(path); }
    void StopPictureSound() override { sound_.Stop(); }

    const AudioDevice& Device() const { return device_; }
    const PictureSoundPlayer& PictureSound() const { return sound_; }

private:
    AudioDevice device_;
    MusicPlayer music_;
    PictureSoundPlayer sound_;
};

}  // namespace lv::audio
