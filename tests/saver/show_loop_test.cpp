#include "saver/show_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "common/random.h"
#include "saver/picture_order.h"
#include "common/file_util.h"
#include "support/fake_show.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

class ShowLoopTest : public ::testing::Test {
protected:
    static constexpr uint32_t Start = 1'000'000;

    test::FakeClock clock{Start};
    test::FakeShowHost host{clock};
    test::FakeShowAudio audio;
    ShowInputRules input;
    LastSoundRule lastSound;
    std::set<std::string> files;
    ShowSettings settings;
    std::unique_ptr<ShowLoop> loop;
    std::string statsFile;
    std::vector<std::string> warnings;

    void SetUp() override {
        SetFixedRandomize(true, 4711);
        settings.Duration = 5;
        settings.ShowImageMode = AllImagesSequential;
        settings.Transition = false;
        settings.Music = false;
    }
    void TearDown() override { SetFixedRandomize(false); }

    void AddPicture(const std::string& path, PixelSize size = {800, 600}) {
        host.PictureSizes[path] = size;
    }
    void AddPackage(const std::string& path, const std::string& sound = "",
                    PixelSize size = {1024, 768}) {
        host.Packages[path] = {size, sound};
        files.insert(path);
    }

    bool StartShow(std::vector<std::string> pictures) {
        ShowServices services{host, audio, clock, input, lastSound};
        services.Folders = {"/w/", "/creator/", "/prog/"};
        services.FileExists = [this](const std::string& path) { return files.count(path) != 0; };
        services.Warn = nullptr;
        if (!statsFile.empty()) {
            services.StatsFile = statsFile;
            services.Warn = [this](const std::string& text) { warnings.push_back(text); };
        }
        loop = std::make_unique<ShowLoop>(std::move(services));
        return loop->Start(std::move(pictures), settings);
    }

    // Ticks until the clock has moved `milliseconds` on (each tick lasts about a frame).
    void RunFor(uint32_t milliseconds) {
        const uint32_t begin = clock.Now();
        while (TicksBetween(begin, clock.Now()) < milliseconds) {
            loop->Tick();
        }
    }
};

TEST_F(ShowLoopTest, ChangesAfterTheDurationAcrossTheWrapOfTheTickCounter) {
    for (uint32_t start : {0x7FFFFFFFu - 1000, 0xFFFFFFFFu - 2000}) {
        SCOPED_TRACE(start);
        AddPicture("a.jpg");
        AddPicture("b.jpg");
        clock.Set(start);
        ASSERT_TRUE(StartShow({"a.jpg", "b.jpg"}));
        EXPECT_EQ(loop->LastChangeTick(), start);
        clock.Set(start + 4999);
        loop->Tick();
        EXPECT_EQ(loop->CurrentFile(), "a.jpg");
        clock.Set(start + 5000);  // past 2^32 this is a small count again
        loop->Tick();
        EXPECT_EQ(loop->CurrentFile(), "b.jpg");
        EXPECT_EQ(loop->LastChangeTick(), start + 5000);
        host.PictureSizes.clear();
    }
}

TEST_F(ShowLoopTest, AOnePictureShowNeverReloadsOrFades) {
    settings.Duration = 1;
    settings.Transition = true;
    settings.ShowImageMode = AllImagesRandom;
    AddPicture("only.jpg");
    ASSERT_TRUE(StartShow({"only.jpg"}));
    RunFor(10'000);
    EXPECT_EQ(host.Decoded, (std::vector<std::string>{"only.jpg"}));
    EXPECT_EQ(std::count(host.Calls.begin(), host.Calls.end(), "fade"), 0);
    EXPECT_EQ(std::count(host.Calls.begin(), host.Calls.end(), "black"), 0);
    // The change still happens on time: the picture's time restarts each second.
    EXPECT_LE(TicksBetween(loop->LastChangeTick(), clock.Now()), 1000u + FrameMilliseconds);
}

TEST_F(ShowLoopTest, ADurationOfZeroChangesAtEveryPass) {
    settings.Duration = 0;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
        AddPicture(name);
    }
    ASSERT_TRUE(StartShow({"a.jpg", "b.jpg", "c.jpg"}));
    for (int i = 0; i < 4; ++i) {
        loop->Tick();
    }
    EXPECT_EQ(host.Decoded,
              (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "a.jpg", "b.jpg"}));
    EXPECT_EQ(std::count(host.Calls.begin(), host.Calls.end(), "black"), 4);
}

TEST_F(ShowLoopTest, FreedMemoryIsReleasedOnceEachChangeHasEnded) {
    settings.Duration = 0;
    settings.Transition = true;
    AddPicture("a.jpg");
    AddPicture("b.jpg");
    ASSERT_TRUE(StartShow({"a.jpg", "b.jpg", "missing.jpg"}));
    loop->Tick();  // to b.jpg, through a fade
    loop->Tick();  // missing.jpg fails to decode: nothing to release
    EXPECT_EQ(host.Calls, (std::vector<std::string>{"decode a.jpg", "release", "decode b.jpg",
                                                    "fade", "release", "decode missing.jpg"}));
}

TEST_F(ShowLoopTest, StatisticsCountPassesChangesAndDroppedErrorsIntoTheirFile) {
    test::TempDir dir;
    statsFile = dir.File("stats.txt");
    settings.Duration = 0;
    AddPicture("a.jpg");
    AddPicture("c.jpg");  // bad.jpg cannot be decoded
    ASSERT_TRUE(StartShow({"a.jpg", "bad.jpg", "c.jpg"}));
    // Pass 1 fails on bad.jpg, pass 2 shows c.jpg, 3 a.jpg, 4 fails again, 5 c.jpg, 6 a.jpg.
    for (int i = 0; i < 6; ++i) {
        loop->Tick();
    }
    EXPECT_EQ(loop->Stats().Passes, 6u);
    EXPECT_EQ(loop->Stats().Changes, 4u);
    EXPECT_EQ(loop->Stats().DroppedErrors, 2u);
    // The first pass wrote the file; the next write waits for a second of ticks.
    EXPECT_EQ(ReadFileBytes(statsFile), "passes=1\nchanges=0\ndropped_errors=1\n");
    clock.Set(clock.Now() + ShowStatsIntervalMs);
    loop->Tick();
    EXPECT_EQ(ReadFileBytes(statsFile), "passes=7\nchanges=4\ndropped_errors=3\n");
    loop->Tick();
    loop->Close();  // the end writes the last figures at once
    EXPECT_EQ(ReadFileBytes(statsFile), "passes=8\nchanges=5\ndropped_errors=3\n");
    EXPECT_TRUE(warnings.empty());
}

TEST_F(ShowLoopTest, AStatisticsFileThatCannotBeWrittenWarnsOnceAndTheShowGoesOn) {
    test::TempDir dir;
    statsFile = dir.File("no-such-folder/stats.txt");
    settings.Duration = 0;
    AddPicture("a.jpg");
    AddPicture("b.jpg");
    ASSERT_TRUE(StartShow({"a.jpg", "b.jpg"}));
    for (int i = 0; i < 5; ++i) {
        clock.Set(clock.Now() + ShowStatsIntervalMs);
        loop->Tick();
    }
    loop->Close();
    EXPECT_EQ(loop->Stats().Changes, 5u);
    EXPECT_EQ(loop->Stats().DroppedErrors, 0u);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("statistics not written"), std::string::npos);
}

TEST_F(ShowLoopTest, RandomOrderWithTwoPicturesAlternatesAndLoadsEachChange) {
    settings.ShowImageMode = AllImagesRandom;
    settings.Duration = 0;
    AddPicture("a.jpg");
    AddPicture("b.jpg");
    ASSERT_TRUE(StartShow({"a.jpg", "b.jpg"}));
    for (int i = 0; i < 30; ++i) {
        loop->Tick();
    }
    ASSERT_EQ(host.Decoded.size(), 31u);
    for (size_t i = 1; i < host.Decoded.size(); ++i) {
        EXPECT_NE(host.Decoded[i], host.Decoded[i - 1]);
    }
}

TEST_F(ShowLoopTest, WithoutAutoAdvanceTheFirstPictureStaysAndItsWaterMoves) {
    settings.AutoAdvance = false;
    settings.Duration = 1;
    AddPackage("/w/sea.lvp");
    AddPackage("/w/lake.lvp");
    ASSERT_TRUE(StartShow({"/w/sea.lvp", "/w/lake.lvp"}));
    RunFor(5000);
    EXPECT_EQ(host.LoadedPackages, (std::vector<std::string>{"/w/sea.lvp"}));
    EXPECT_GT(host.Steps, 100);
    EXPECT_EQ(host.Steps, host.Frames);
}

TEST_F(ShowLoopTest, APictureStaysItsDurationFromTheEndOfItsFadeIn) {
    settings.Transition = true;
    AddPicture("a.jpg");
    AddPicture("b.jpg", {800, 400});
    settings.Proportional = true;
    ASSERT_TRUE(StartShow({"a.jpg", "b.jpg"}));
    EXPECT_TRUE(host.Alphas.empty());  // the first picture appears without a fade
    clock.Advance(5000);
    loop->Tick();
    // 100 ms per step: the first step and 20 more.
    ASSERT_EQ(host.Alphas.size(), 21u);
    EXPECT_EQ(host.Alphas.front(), 10);
    EXPECT_EQ(host.Alphas.back(), 255);
    EXPECT_EQ(loop->LastChangeTick(), Start + 5000 + 2100);
    EXPECT_EQ(host.LastPosition, (PixelPoint{0, 128}));
    EXPECT_EQ(host.PlainDrawSize, (PixelSize{1024, 512}));
}

TEST_F(ShowLoopTest, AFailedChangeKeepsTheStateAndTriesTheNextPictureAtOnce) {
    AddPicture("a.jpg");
    AddPicture("c.jpg");
    ASSERT_TRUE(StartShow({"a.jpg", "bad.jpg", "c.jpg"}));
    clock.Advance(5000);
    loop->Tick();
    EXPECT_EQ(loop->DroppedErrors(), 1);
    EXPECT_EQ(loop->CurrentFile(), "bad.jpg");
    EXPECT_EQ(loop->LoadedFile(), "a.jpg");
    EXPECT_EQ(loop->LastChangeTick(), Start);
    EXPECT_TRUE(loop->PlainPicture());
    EXPECT_EQ(host.Frames, 0);  // the rest of the pass was skipped
    loop->Tick();
    EXPECT_EQ(loop->LoadedFile(), "c.jpg");
    EXPECT_EQ(host.Frames, 1);
}

TEST_F(ShowLoopTest, AFirstPictureThatFailsIsFollowedAtTheFirstPass) {
    settings.AutoAdvance = false;
    AddPicture("b.jpg");
    ASSERT_TRUE(StartShow({"bad.jpg", "b.jpg"}));
    EXPECT_EQ(loop->DroppedErrors(), 1);
    EXPECT_EQ(loop->LoadedFile(), "");
    loop->Tick();
    EXPECT_EQ(loop->LoadedFile(), "b.jpg");
    loop->Tick();
    EXPECT_EQ(host.Decoded, (std::vector<std::string>{"b.jpg"}));
}

TEST_F(ShowLoopTest, PicturesThatNeverLoadAreTriedAgainAtTheFramePaceNotFlatOut) {
    // The only picture cannot be decoded; or no picture of the show is a package.
    files.insert("/w/a.lvp");
    files.insert("/w/b.lvp");
    for (const std::vector<std::string>& pictures :
         {std::vector<std::string>{"bad.jpg"}, std::vector<std::string>{"/w/a.lvp", "/w/b.lvp"}}) {
        SCOPED_TRACE(pictures.front());
        host.Calls.clear();
        ASSERT_TRUE(StartShow(pictures));
        const uint32_t begin = clock.Now();
        // Bounded by passes, as a show that never sleeps would never see a second go by.
        for (int pass = 0; pass < 1000 && TicksBetween(begin, clock.Now()) < 1000; ++pass) {
            loop->Tick();
        }
        EXPECT_GE(TicksBetween(begin, clock.Now()), 1000u);
        const auto attempts = static_cast<uint32_t>(host.Calls.size());
        // About one attempt per frame: still tried again, but no more often.
        EXPECT_GE(attempts, 1000 / FrameMilliseconds);
        EXPECT_LE(attempts, 1000 / FrameMilliseconds + 2);
        EXPECT_EQ(host.Frames, 0);
        EXPECT_EQ(loop->DroppedErrors(), static_cast<int>(attempts));
    }
}

TEST_F(ShowLoopTest, AMissingPackageKeepsDrawingThePackageShownBefore) {
    settings.Stretch = false;
    AddPackage("/w/sea.lvp", "", {800, 600});
    ASSERT_TRUE(StartShow({"/w/sea.lvp", "/w/gone.lvp", "/w/broken.lvp"}));
    files.insert("/w/broken.lvp");  // exists but is no package
    clock.Advance(5000);
    loop->Tick();
    EXPECT_EQ(loop->DroppedErrors(), 0);
    EXPECT_EQ(loop->LoadedFile(), "/w/sea.lvp");
    EXPECT_FALSE(loop->PlainPicture());
    EXPECT_EQ(host.LastSource, FrameSource::Package);
    EXPECT_EQ(host.LastPosition, (PixelPoint{112, 84}));
    EXPECT_EQ(loop->LastChangeTick(), Start + 5000);  // tried again only at the next change
    clock.Advance(5000);
    loop->Tick();
    EXPECT_EQ(loop->DroppedErrors(), 1);
    loop->Tick();
    // Round to the first again: still the loaded package, so nothing is reloaded.
    EXPECT_EQ(loop->CurrentFile(), "/w/sea.lvp");
    EXPECT_EQ(host.LoadedPackages.size(), 1u);
    EXPECT_EQ(host.LastSource, FrameSource::Package);
}

TEST_F(ShowLoopTest, NothingIsDrawnOrSteppedBeforeAPictureOfTheKindHasLoaded) {
    settings.AutoAdvance = false;
    ASSERT_TRUE(StartShow({"/w/gone.lvp"}));
    loop->Tick();
    EXPECT_EQ(host.Frames, 0);
    EXPECT_EQ(host.Steps, 0);
    EXPECT_FALSE(loop->KeyDown(VirtualKeyF1, ""));
    EXPECT_FALSE(loop->KeyDown(VirtualKeyF1, ""));
    EXPECT_EQ(host.Restores, 0);
}

TEST_F(ShowLoopTest, FramesArePacedToThirtyThreeMillisecondsAcrossTheWrap) {
    AddPicture("a.jpg");
    clock.Set(0xFFFFFFFFu - 10);
    ASSERT_TRUE(StartShow({"a.jpg"}));
    clock.Advance(5);
    loop->Tick();
    clock.Advance(40);
    loop->Tick();  // a long pass does not sleep
    clock.Advance(33);
    loop->Tick();
    EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{28}));
}

TEST_F(ShowLoopTest, PackageSoundsLoopUntilAnotherPictureReplacesThem) {
    settings.Duration = 0;
    AddPackage("/w/sea.lvp", "C:\\Creator\\sounds\\surf.wav");
    AddPackage("/w/bay.lvp", "surf.wav");
    AddPicture("/w/rock.jpg");
    AddPackage("/w/lake.lvp", "surf.wav");
    files.insert("/w/surf.wav");
    ASSERT_TRUE(StartShow({"/w/sea.lvp", "/w/bay.lvp", "/w/rock.jpg", "/w/lake.lvp"}));
    loop->Tick();
    EXPECT_EQ(audio.SoundsPlayed, (std::vector<std::string>{"/w/surf.wav"}));  // not restarted
    loop->Tick();
    EXPECT_EQ(audio.SoundStops, 1);  // the plain picture stopped it
    loop->Tick();
    EXPECT_EQ(audio.SoundsPlayed, (std::vector<std::string>{"/w/surf.wav", "/w/surf.wav"}));
    loop->Close();
    EXPECT_EQ(audio.SoundStops, 2);
    EXPECT_EQ(lastSound.LastSound(), "");
}

TEST_F(ShowLoopTest, SoundOffPlaysNoPictureSoundButKeepsTheMusic) {
    settings.Sound = false;
    settings.Music = true;
    settings.MusicFile = "tune.mid";
    AddPackage("/w/sea.lvp", "surf.wav");
    files.insert("/w/surf.wav");
    ASSERT_TRUE(StartShow({"/w/sea.lvp"}));
    EXPECT_TRUE(audio.SoundsPlayed.empty());
    EXPECT_EQ(audio.MusicPlayed, (std::vector<std::string>{"/w/tune.mid"}));
    audio.TrackFinished = true;
    loop->Tick();
    EXPECT_EQ(audio.MusicPlayed.size(), 2u);
}

TEST_F(ShowLoopTest, EverySecondF1RestoresTheWaterOfAShownPackage) {
    AddPackage("/w/sea.lvp");
    ASSERT_TRUE(StartShow({"/w/sea.lvp"}));
    EXPECT_FALSE(loop->KeyDown(VirtualKeyF1, ""));
    EXPECT_EQ(host.Restores, 0);
    EXPECT_FALSE(loop->KeyDown(VirtualKeyF1, ""));
    EXPECT_EQ(host.Restores, 1);
    EXPECT_TRUE(loop->KeyDown(OtherKey, "q"));
}

TEST_F(ShowLoopTest, NoPictureShowsTheErrorAndStillPlaysMusic) {
    settings.Music = true;
    settings.MusicFile = "a.mid;b.mid";
    settings.MusicMode = 1;
    EXPECT_FALSE(StartShow({}));
    EXPECT_EQ(host.Messages,
              (std::vector<std::string>{"Unable to run screensaver.\r\nPlease configure!"}));
    EXPECT_EQ(audio.MusicPlayed, (std::vector<std::string>{"/w/a.mid"}));
    loop->Tick();
    EXPECT_EQ(host.Frames, 0);
    audio.TrackFinished = true;
    loop->PollMusic();
    EXPECT_EQ(audio.MusicPlayed, (std::vector<std::string>{"/w/a.mid", "/w/b.mid"}));
    loop->Close();
    EXPECT_EQ(audio.MusicStops, 1);
}

}  // namespace
}  // namespace lv
