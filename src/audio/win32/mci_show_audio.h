#pragma once

#include <windows.h>

#include <string>

#include "audio/win32/multimedia_calls.h"
#include "saver/show_audio.h"

namespace lv::audio::win32 {

// The show's sound on Windows: background music through an MCI device opened on the file
// (the system picks the device type from it), played with an end-of-track notification, and
// looping picture sounds through sndPlaySoundA.
//
// The notification arrives as MM_MCINOTIFY at a message-only window of this object, so it is
// handled by the show's own message loop between two passes. Only a successful end of the
// track that is playing now counts: stopping or replacing a track aborts or supersedes its
// notification, and those must not start another track.
class MciShowAudio final : public ShowAudio {
public:
    // `calls` is borrowed for the object's life. Must be created on the thread whose message
    // loop runs the show.
    explicit MciShowAudio(MultimediaCalls& calls);
    ~MciShowAudio() override;
    MciShowAudio(const MciShowAudio&) = delete;
    MciShowAudio& operator=(const MciShowAudio&) = delete;

    void PlayMusic(const std::string& path) override;
    void StopMusic() override;
    bool TakeMusicTrackFinished() override;
    void PlayPictureSound(const std::string& path) override;
    void StopPictureSound() override;

    // Where MM_MCINOTIFY is sent; tests post to it what the device would.
    HWND NotifyWindow() const { return window_; }
    MCIDEVICEID MusicDevice() const { return device_; }

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept;
    void OnNotify(WPARAM result, LPARAM device);
    void CloseDevice();

    MultimediaCalls& calls_;
    HWND window_ = nullptr;
    MCIDEVICEID device_ = 0;
    bool trackFinished_ = false;
};

// sndPlaySoundA flags: a picture sound plays asynchronously and loops, a path that does not
// exist stays silent instead of playing the system's default sound.
inline constexpr UINT PictureSoundFlags = SND_ASYNC | SND_NODEFAULT | SND_LOOP;
inline constexpr UINT StopSoundFlags = SND_ASYNC | SND_NODEFAULT;

}  // namespace lv::audio::win32
