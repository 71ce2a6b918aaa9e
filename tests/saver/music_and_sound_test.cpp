#include <gtest/gtest.h>

#include <set>

#include "common/random.h"
#include "saver/background_music.h"
#include "saver/sound_paths.h"
#include "support/fake_show.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

TEST(ParseMusicFiles, SkipsEmptyItemsAndPutsBareNamesInTheWorkingFolder) {
    EXPECT_EQ(ParseMusicFiles("a.mid;;b.mid", "/tmp/Sky/"),
              (std::vector<std::string>{"/tmp/Sky/a.mid", "/tmp/Sky/b.mid"}));
    EXPECT_EQ(ParseMusicFiles("a.mid;", "/tmp/Sky"), (std::vector<std::string>{"/tmp/Sky/a.mid"}));
    EXPECT_EQ(ParseMusicFiles(";;;", "/tmp/Sky/"), std::vector<std::string>{});
    EXPECT_EQ(ParseMusicFiles("", "/tmp/Sky/"), std::vector<std::string>{});
    // Items with a folder stay as they are, in order.
    EXPECT_EQ(ParseMusicFiles("/m/x.mp3;C:\\Music\\y.mid;z.wav", "/w/"),
              (std::vector<std::string>{"/m/x.mp3", "C:\\Music\\y.mid", "/w/z.wav"}));
    // A blank is part of a name, not a separator.
    EXPECT_EQ(ParseMusicFiles(" ;a b.mid", "/w/"),
              (std::vector<std::string>{"/w/ ", "/w/a b.mid"}));
}

class BackgroundMusicTest : public ::testing::Test {
protected:
    test::FakeShowAudio audio;
    std::vector<std::string> warnings;
    BackgroundMusic music{audio, [this](const std::string& text) { warnings.push_back(text); }};

    void FinishTrack() {
        audio.TrackFinished = true;
        music.Poll();
    }
};

TEST_F(BackgroundMusicTest, ListOrderPlaysEachTrackThenStartsAgain) {
    music.Start(true, "a.mid;;b.mid", 1, "/w/");
    music.Poll();  // no track has ended yet
    FinishTrack();
    FinishTrack();
    EXPECT_EQ(audio.MusicPlayed, (std::vector<std::string>{"/w/a.mid", "/w/b.mid", "/w/a.mid"}));
    EXPECT_TRUE(warnings.empty());
}

TEST_F(BackgroundMusicTest, RandomOrderAlternatesTwoTracksAndLoopsOne) {
    SetRandomSeed(2024);
    music.Start(true, "a.mid;b.mid", 0, "/w/");
    for (int i = 0; i < 20; ++i) {
        FinishTrack();
    }
    ASSERT_EQ(audio.MusicPlayed.size(), 21u);
    for (size_t i = 1; i < audio.MusicPlayed.size(); ++i) {
        EXPECT_NE(audio.MusicPlayed[i], audio.MusicPlayed[i - 1]);
    }

    test::FakeShowAudio single;
    BackgroundMusic one(single);
    one.Start(true, "only.mid", 0, "/w/");
    single.TrackFinished = true;
    one.Poll();
    EXPECT_EQ(single.MusicPlayed, (std::vector<std::string>{"/w/only.mid", "/w/only.mid"}));
}

TEST_F(BackgroundMusicTest, MusicOffOrNoFilesPlaysNothing) {
    music.Start(false, "a.mid", 1, "/w/");
    music.Start(true, "", 1, "/w/");
    music.Start(true, ";;", 1, "/w/");
    FinishTrack();
    EXPECT_TRUE(audio.MusicPlayed.empty());
    EXPECT_FALSE(music.Playing());
}

TEST_F(BackgroundMusicTest, AnUnplayableFirstTrackMeansNoMusicSilently) {
    audio.UnplayableMusic = {"/w/a.mid"};
    music.Start(true, "a.mid;b.mid", 1, "/w/");
    FinishTrack();  // a stray notification starts nothing
    EXPECT_TRUE(audio.MusicPlayed.empty());
    EXPECT_FALSE(music.Playing());
    EXPECT_TRUE(warnings.empty());
}

TEST_F(BackgroundMusicTest, AnUnplayableLaterTrackEndsTheMusicWithAWarning) {
    audio.UnplayableMusic = {"/w/b.mid"};
    music.Start(true, "a.mid;b.mid", 1, "/w/");
    FinishTrack();
    EXPECT_FALSE(music.Playing());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("/w/b.mid"), std::string::npos);
    FinishTrack();
    EXPECT_EQ(audio.MusicPlayed, (std::vector<std::string>{"/w/a.mid"}));
    music.Stop();
    EXPECT_EQ(audio.MusicStops, 0);  // nothing left to stop
}

TEST(FindPictureSound, SearchesTheFoldersInOrder) {
    const SoundFolders folders{"/tmp/Sky/", "/opt/creator/", "/home/u/savers"};
    std::set<std::string> files;
    const auto exists = [&files](const std::string& path) { return files.count(path) != 0; };
    const std::string stored = "C:\\Creator\\sounds\\surf.wav";

    // Nowhere: the program folder's sounds folder, which then plays nothing.
    EXPECT_EQ(FindPictureSound(stored, folders, exists), "/home/u/savers/sounds/surf.wav");
    files.insert("/opt/creator/sounds/surf.wav");
    EXPECT_EQ(FindPictureSound(stored, folders, exists), "/opt/creator/sounds/surf.wav");
    files.insert("/tmp/Sky/surf.wav");
    EXPECT_EQ(FindPictureSound(stored, folders, exists), "/tmp/Sky/surf.wav");
    files.insert(stored);
    EXPECT_EQ(FindPictureSound(stored, folders, exists), stored);

    files.insert("/data/rain.wav");
    files.insert("/tmp/Sky/rain.wav");
    EXPECT_EQ(FindPictureSound("/data/rain.wav", folders, exists), "/data/rain.wav");
}

TEST(FindPictureSound, NoSoundMatchesNoFile) {
    const SoundFolders folders{"/tmp/Sky/", "/opt/creator/", "/p/"};
    std::vector<std::string> asked;
    const auto exists = [&asked](const std::string& path) {
        asked.push_back(path);
        return path == "/tmp/Sky/" || path == "/opt/creator/sounds/";  // folders exist
    };
    EXPECT_EQ(FindPictureSound("", folders, exists), "/p/sounds/");
    EXPECT_TRUE(asked.empty());  // a folder is never taken for the sound
    EXPECT_EQ(FindPictureSound("<No Sound>", folders, exists), "/p/sounds/<No Sound>");
}

TEST(UnpackedAudioFiles, NamesInAnotherLetterCaseFindTheUnpackedFile) {
    // A package made on Windows: its settings and image packages spell the names otherwise.
    test::TempDir work;
    work.Write("theme.mid", "MThd");
    work.Write("Surf.wav", "RIFF");
    work.Write("Rain.wav", "RIFF");
    work.Write("rain.wav", "RIFF");
    const std::string w = work.File("");
    EXPECT_EQ(ParseMusicFiles("Theme.MID;gone.mid", w),
              (std::vector<std::string>{w + "theme.mid", w + "gone.mid"}));

    const SoundFolders folders{w, "/opt/creator/", "/p/"};
    EXPECT_EQ(FindPictureSound("C:\\Creator\\sounds\\SURF.WAV", folders, RegularFileExists),
              w + "Surf.wav");
    EXPECT_EQ(FindPictureSound("rain.wav", folders, RegularFileExists), w + "rain.wav");
    EXPECT_EQ(FindPictureSound("RAIN.WAV", folders, RegularFileExists), w + "Rain.wav");
    EXPECT_EQ(FindPictureSound("snow.wav", folders, RegularFileExists), "/p/sounds/snow.wav");
}

TEST(RegularFileExists, FoldersAndEmptyPathsAreNoFiles) {
    EXPECT_FALSE(RegularFileExists(""));
    EXPECT_FALSE(RegularFileExists("/"));
    EXPECT_FALSE(RegularFileExists("/no/such/file.wav"));
    EXPECT_TRUE(RegularFileExists(LV_SOURCE_DIR "/CMakeLists.txt"));
}

TEST(LastSoundRule, TheSameSoundIsNotRestartedUntilCleared) {
    LastSoundRule rule;
    EXPECT_TRUE(rule.Request("/w/surf.wav"));
    EXPECT_FALSE(rule.Request("/w/surf.wav"));
    EXPECT_TRUE(rule.Request("/w/rain.wav"));
    rule.Clear();  // a plain picture came between
    EXPECT_TRUE(rule.Request("/w/rain.wav"));
}

}  // namespace
}  // namespace lv
