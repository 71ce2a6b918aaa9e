#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "audio/sdl_show_audio.h"
#include "common/error.h"
#include "saver/background_music.h"
#include "common/file_util.h"
#include "demo/sound_files.h"

namespace lv::audio {
namespace {

using namespace std::chrono_literals;

// Sums the loudness of everything the mixer outputs. The post-mix hook runs on the audio
// thread, so it only touches an atomic.
std::atomic<uint64_t> g_loudness{0};

void MeasureLoudness(void*, Uint8* stream, int length) {
    const auto* samples = reinterpret_cast<const Sint16*>(stream);
    uint64_t sum = 0;
    for (int i = 0; i < length / 2; ++i) {
        sum += static_cast<uint64_t>(std::abs(static_cast<int>(samples[i])));
    }
    g_loudness.fetch_add(sum);
}

class AudioTest : public ::testing::Test {
protected:
    std::filesystem::path folder;

    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("lv_audio_test_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        g_loudness = 0;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = (folder / name).string();
        WriteFileAtomically(path, bytes);
        return path;
    }

    static AudioDeviceOptions Dummy() {
        AudioDeviceOptions options;
        options.PreferredDriver = "dummy";
        return options;
    }

    // Waits up to `limit` for `done`, polling as the show's thread does between frames.
    template <typename Condition>
    static bool WaitFor(std::chrono::milliseconds limit, Condition done) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            if (done()) {
                return true;
            }
            std::this_thread::sleep_for(10ms);
        }
        return done();
    }

    static uint64_t LoudnessOver(std::chrono::milliseconds span) {
        const uint64_t before = g_loudness.load();
        std::this_thread::sleep_for(span);
        return g_loudness.load() - before;
    }
};

TEST_F(AudioTest, AnUnknownDriverFallsBackToTheDummyDriver) {
    AudioDeviceOptions options;
    options.PreferredDriver = "no-such-driver";
    AudioDevice device(options);
    EXPECT_TRUE(device.IsOpen());
    EXPECT_EQ(device.DriverName(), "dummy");
    EXPECT_FALSE(device.FailureText().empty());
}

TEST_F(AudioTest, AMidiTrackSoundsAndReportsItsEnd) {
    const std::string tune = Write("tune.mid", lvdemo::MakeMidi({{60, 24}, {64, 24}, {67, 24}}));
    SdlShowAudio audio(Dummy());
    ASSERT_TRUE(audio.Device().IsOpen());
    Mix_SetPostMix(MeasureLoudness, nullptr);
    audio.PlayMusic(tune);
    EXPECT_TRUE(WaitFor(10s, [&] { return audio.TakeMusicTrackFinished(); }));
    Mix_SetPostMix(nullptr, nullptr);
    // Not silent: well above what rounding noise could add up to.
    EXPECT_GT(g_loudness.load(), 1'000'000u);
    EXPECT_FALSE(audio.TakeMusicTrackFinished());  // reported once
}

TEST_F(AudioTest, StoppedOrReplacedTracksDoNotCountAsFinished) {
    const std::string longTune = Write("long.wav", lvdemo::MakeWav(3000));
    const std::string shortTune = Write("short.wav", lvdemo::MakeWav(150));
    SdlShowAudio audio(Dummy());
    audio.PlayMusic(longTune);
    audio.PlayMusic(shortTune);  // replaces the first
    EXPECT_TRUE(WaitFor(3s, [&] { return audio.TakeMusicTrackFinished(); }));
    audio.PlayMusic(longTune);
    std::this_thread::sleep_for(50ms);
    audio.StopMusic();
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(audio.TakeMusicTrackFinished());
}

TEST_F(AudioTest, UnplayableMusicRaisesAnErrorNamingTheFile) {
    const std::string garbage = Write("noise.wav", {'R', 'I', 'F', 'F', 1, 2, 3});
    SdlShowAudio audio(Dummy());
    for (const std::string& path : {garbage, (folder / "missing.mid").string()}) {
        try {
            audio.PlayMusic(path);
            ADD_FAILURE() << "played " << path;
        } catch (const Error& error) {
            EXPECT_EQ(error.File(), path);
        }
    }
}

TEST_F(AudioTest, AMidiFileWithoutNotesEndsAtOnce) {
    // Some decoders accept any file named .mid; it must still end so the music moves on.
    const std::string garbage = Write("noise.mid", {'n', 'o', 't', ' ', 'm', 'i', 'd', 'i'});
    SdlShowAudio audio(Dummy());
    try {
        audio.PlayMusic(garbage);
        EXPECT_TRUE(WaitFor(5s, [&] { return audio.TakeMusicTrackFinished(); }));
    } catch (const Error& error) {
        EXPECT_EQ(error.File(), garbage);
    }
}

TEST_F(AudioTest, BackgroundMusicPlaysTrackAfterTrackAndStopsAtABrokenOne) {
    Write("a.wav", lvdemo::MakeWav(120, 440));
    Write("b.wav", lvdemo::MakeWav(120, 660));
    Write("bad.wav", {'R', 'I', 'F', 'F', 0, 0});
    SdlShowAudio audio(Dummy());
    std::vector<std::string> warnings;
    BackgroundMusic music(audio, [&](const std::string& text) { warnings.push_back(text); });
    const std::string working = folder.string() + "/";
    music.Start(true, "a.wav;;b.wav;bad.wav", 1, working);
    ASSERT_TRUE(music.Playing());
    EXPECT_TRUE(WaitFor(3s, [&] {
        music.Poll();
        return music.MusicIndex() == 1;
    }));
    EXPECT_TRUE(WaitFor(3s, [&] {
        music.Poll();
        return !music.Playing();
    }));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("bad.wav"), std::string::npos);
}

TEST_F(AudioTest, PictureSoundsLoopAndAreReplacedPerPicture) {
    const std::string surf = Write("surf.wav", lvdemo::MakeWav(100, 300));
    const std::string rain = Write("rain.wav", lvdemo::MakeWav(100, 900));
    SdlShowAudio audio(Dummy());
    Mix_SetPostMix(MeasureLoudness, nullptr);
    audio.PlayPictureSound(surf);
    std::this_thread::sleep_for(300ms);  // three times its length
    EXPECT_TRUE(audio.PictureSound().Playing());
    EXPECT_GT(LoudnessOver(200ms), 100'000u);

    audio.PlayPictureSound(rain);
    EXPECT_TRUE(audio.PictureSound().Playing());

    audio.PlayPictureSound((folder / "missing.wav").string());  // silence, no error
    EXPECT_FALSE(audio.PictureSound().Playing());
    EXPECT_FALSE(audio.PictureSound().LastFailure().empty());
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(LoudnessOver(200ms), 0u);

    audio.PlayPictureSound(surf);
    audio.StopPictureSound();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(LoudnessOver(200ms), 0u);
    Mix_SetPostMix(nullptr, nullptr);
}

}  // namespace
}  // namespace lv::audio
