// The show's sound on Windows, through a fake of the two winmm calls: what the MCI device and
// sndPlaySoundA are asked to do, and which end-of-track notifications start the next track.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/win32/mci_show_audio.h"
#include "common/error.h"

namespace lv::audio::win32 {
namespace {

struct MciCall {
    MCIDEVICEID Device = 0;
    UINT Command = 0;
    DWORD_PTR Flags = 0;
    std::string Element;      // MCI_OPEN: the file
    HWND Callback = nullptr;  // MCI_PLAY: where the notification goes
};

struct SoundCall {
    bool Stop = false;
    std::string Path;
    UINT Flags = 0;
};

class RecordingCalls final : public MultimediaCalls {
public:
    MCIERROR SendCommand(MCIDEVICEID device, UINT command, DWORD_PTR flags,
                         DWORD_PTR parameters) override {
        MciCall call{device, command, flags, {}, nullptr};
        if (command == MCI_OPEN) {
            auto* open = reinterpret_cast<MCI_OPEN_PARMSA*>(parameters);
            call.Element = open->lpstrElementName;
            if (failOpen) return MCIERR_FILE_NOT_FOUND;
            open->wDeviceID = ++lastDevice;
        }
        if (command == MCI_PLAY) {
            call.Callback =
                reinterpret_cast<HWND>(reinterpret_cast<MCI_PLAY_PARMS*>(parameters)->dwCallback);
            if (failPlay) return MCIERR_CANNOT_LOAD_DRIVER;
        }
        mci.push_back(call);
        return 0;
    }
    BOOL PlaySoundFile(const char* path, UINT flags) override {
        sounds.push_back({path == nullptr, path ? path : "", flags});
        return TRUE;
    }
    std::string ErrorText(MCIERROR) override { return "no such file"; }

    std::vector<MciCall> mci;
    std::vector<SoundCall> sounds;
    MCIDEVICEID lastDevice = 0;
    bool failOpen = false;
    bool failPlay = false;
};

// Delivers the messages the window would get between two passes of the show.
void DispatchWaitingMessages() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
}

void NotifyEnd(const MciShowAudio& audio, WPARAM result, MCIDEVICEID device) {
    ::PostMessageA(audio.NotifyWindow(), MM_MCINOTIFY, result, static_cast<LPARAM>(device));
    DispatchWaitingMessages();
}

TEST(MciShowAudio, MusicOpensTheFileAndPlaysWithANotificationToItsWindow) {
    RecordingCalls calls;
    MciShowAudio audio(calls);
    audio.PlayMusic("C:\\work\\a.mid");
    ASSERT_EQ(calls.mci.size(), 2u);
    EXPECT_EQ(calls.mci[0].Command, static_cast<UINT>(MCI_OPEN));
    EXPECT_EQ(calls.mci[0].Flags, static_cast<DWORD_PTR>(MCI_OPEN_ELEMENT));
    EXPECT_EQ(calls.mci[0].Element, "C:\\work\\a.mid");
    EXPECT_EQ(calls.mci[1].Command, static_cast<UINT>(MCI_PLAY));
    EXPECT_EQ(calls.mci[1].Device, audio.MusicDevice());
    EXPECT_EQ(calls.mci[1].Flags, static_cast<DWORD_PTR>(MCI_NOTIFY));
    EXPECT_EQ(calls.mci[1].Callback, audio.NotifyWindow());
}

TEST(MciShowAudio, OnlyTheSuccessfulEndOfThePlayingTrackCountsAndOnlyOnce) {
    RecordingCalls calls;
    MciShowAudio audio(calls);
    audio.PlayMusic("a.mid");
    const MCIDEVICEID first = audio.MusicDevice();
    NotifyEnd(audio, MCI_NOTIFY_ABORTED, first);
    NotifyEnd(audio, MCI_NOTIFY_SUPERSEDED, first);
    EXPECT_FALSE(audio.TakeMusicTrackFinished());
    NotifyEnd(audio, MCI_NOTIFY_SUCCESSFUL, first);
    EXPECT_TRUE(audio.TakeMusicTrackFinished());
    EXPECT_FALSE(audio.TakeMusicTrackFinished());

    // The notification of a track already replaced must not skip the new one.
    audio.PlayMusic("b.mid");
    NotifyEnd(audio, MCI_NOTIFY_SUCCESSFUL, first);
    EXPECT_FALSE(audio.TakeMusicTrackFinished());
}

TEST(MciShowAudio, ANewTrackAndStopCloseTheDeviceBefore) {
    RecordingCalls calls;
    MciShowAudio audio(calls);
    audio.PlayMusic("a.mid");
    const MCIDEVICEID first = audio.MusicDevice();
    audio.PlayMusic("b.mid");
    ASSERT_EQ(calls.mci.size(), 5u);
    EXPECT_EQ(calls.mci[2].Command, static_cast<UINT>(MCI_CLOSE));
    EXPECT_EQ(calls.mci[2].Device, first);
    EXPECT_EQ(calls.mci[3].Element, "b.mid");

    audio.StopMusic();
    EXPECT_EQ(calls.mci.back().Command, static_cast<UINT>(MCI_CLOSE));
    EXPECT_EQ(audio.MusicDevice(), 0u);
    NotifyEnd(audio, MCI_NOTIFY_SUCCESSFUL, calls.mci.back().Device);
    EXPECT_FALSE(audio.TakeMusicTrackFinished());
    const size_t count = calls.mci.size();
    audio.StopMusic();  // nothing open: nothing to close
    EXPECT_EQ(calls.mci.size(), count);
}

TEST(MciShowAudio, MusicThatCannotBeOpenedOrPlayedRaisesNamingTheFileAndLeavesNothingOpen) {
    RecordingCalls calls;
    MciShowAudio audio(calls);
    calls.failOpen = true;
    try {
        audio.PlayMusic("missing.mid");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.File(), "missing.mid");
        EXPECT_NE(std::string(error.what()).find("no such file"), std::string::npos);
    }
    EXPECT_EQ(audio.MusicDevice(), 0u);

    calls.failOpen = false;
    calls.failPlay = true;
    EXPECT_THROW(audio.PlayMusic("broken.mid"), Error);
    EXPECT_EQ(calls.mci.back().Command, static_cast<UINT>(MCI_CLOSE));
    EXPECT_EQ(audio.MusicDevice(), 0u);
}

TEST(MciShowAudio, PictureSoundsLoopAsynchronouslyWithoutTheDefaultSoundAndStopWithNoFile) {
    RecordingCalls calls;
    {
        MciShowAudio audio(calls);
        audio.PlayPictureSound("C:\\work\\sea.wav");
        audio.StopPictureSound();
        ASSERT_EQ(calls.sounds.size(), 2u);
        EXPECT_EQ(calls.sounds[0].Path, "C:\\work\\sea.wav");
        EXPECT_EQ(calls.sounds[0].Flags, static_cast<UINT>(SND_ASYNC | SND_NODEFAULT | SND_LOOP));
        EXPECT_EQ(calls.sounds[0].Flags, 11u);
        EXPECT_TRUE(calls.sounds[1].Stop);
        EXPECT_EQ(calls.sounds[1].Flags, 3u);
        audio.PlayMusic("a.mid");
    }
    // Gone with the show: the loop stops and the device closes.
    EXPECT_TRUE(calls.sounds.back().Stop);
    EXPECT_EQ(calls.mci.back().Command, static_cast<UINT>(MCI_CLOSE));
}

}  // namespace
}  // namespace lv::audio::win32
