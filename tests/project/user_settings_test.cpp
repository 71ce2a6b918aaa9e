#include "project/user_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "common/error.h"
#include "common/file_util.h"
#include "project/scratch_environment.h"

namespace lv {
namespace {

class UserSettingsTest : public ::testing::Test {
protected:
    // A project of `pictures` pictures, every one on, as a show starts.
    static Project ProjectOf(size_t pictures) {
        Project p;
        for (size_t i = 0; i < pictures; ++i) {
            p.FileList.Files.push_back("p" + std::to_string(i) + ".lvp");
            p.FileList.Enabled.push_back("TRUE");
        }
        return p;
    }
    Project Apply(const std::string& ini, size_t pictures = 8) {
        Project p = ProjectOf(pictures);
        test::WriteTestFile(path_, ini);
        ApplyUserSettings(p, ReadUserSettings(path_).value());
        return p;
    }
    static std::vector<size_t> On(const Project& p) {
        std::vector<size_t> on;
        for (size_t i = 0; i < p.FileList.Enabled.size(); ++i)
            if (p.FileList.Enabled[i] == "TRUE") on.push_back(i);
        return on;
    }

    test::ScratchEnvironment env_;
    std::string path_ = env_.Folder("apps") + "Sky.ini";
};

TEST_F(UserSettingsTest, NoFileHoldsNothingAnEmptyOneLeavesTheProjectAsItIs) {
    EXPECT_EQ(ReadUserSettings(path_), std::nullopt);
    EXPECT_EQ(ReadUserSettings(""), std::nullopt);
    EXPECT_EQ(ReadUserSettings(path_ + "/below/a/file"), std::nullopt);
    Project p = ProjectOf(8);
    p.Setting.ShowImageMode = 3;
    p.FileList.Enabled[0] = "FALSE";
    ApplyUserSettings(p, UserSettings());
    EXPECT_TRUE(p.Setting.Stretch);
    EXPECT_FALSE(p.Setting.Proportional);
    EXPECT_EQ(p.Setting.ShowImageMode, 3);
    EXPECT_EQ(On(p).size(), 7u);  // mode 3 keeps the list when picture 0 is off
}

TEST_F(UserSettingsTest, AFileThatCannotBeReadIsAnErrorNamingIt) {
    // A folder or a pipe in the file's place, and a file whose reading fails (the process's own
    // memory at address 0: a regular file that no one can read, root included).
    std::vector<std::function<void()>> damages = {
        [&] { std::filesystem::create_directory(path_); },
        [&] { ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0); },
        [&] { std::filesystem::create_symlink("/proc/self/mem", path_); },
    };
    // Permission bits stop every user but root.
    if (::geteuid() != 0)
        damages.push_back([&] {
            test::WriteTestFile(path_, "[Setting]\r\nImageSize=0\r\n");
            ::chmod(path_.c_str(), 0);
        });
    for (const auto& damage : damages) {
        damage();
        try {
            ReadUserSettings(path_);
            ADD_FAILURE() << "read";
        } catch (const Error& error) {
            EXPECT_EQ(error.File(), path_);
            EXPECT_NE(error.Message().find("cannot read the user settings file"), std::string::npos)
                << error.what();
        }
        std::filesystem::remove(path_);
    }
}

TEST_F(UserSettingsTest, ImageSizeSetsStretchAndProportional) {
    auto p = Apply("[Setting]\r\nImageSize=0\r\n");
    EXPECT_FALSE(p.Setting.Stretch);
    EXPECT_FALSE(p.Setting.Proportional);
    p = Apply("[Setting]\r\nImageSize=1\r\n");
    EXPECT_TRUE(p.Setting.Stretch);
    EXPECT_FALSE(p.Setting.Proportional);
    p = Apply("[Setting]\r\nImageSize=2\r\n");
    EXPECT_TRUE(p.Setting.Stretch);
    EXPECT_TRUE(p.Setting.Proportional);
    p = Apply("[Setting]\r\nImageSize=abc\r\n");  // not a number: the project's values stay
    EXPECT_TRUE(p.Setting.Stretch);
    EXPECT_FALSE(p.Setting.Proportional);
}

TEST_F(UserSettingsTest, SpeedIndexMapsThroughTheTableAndOutOfRangeIsIgnored) {
    EXPECT_EQ(Apply("[Setting]\r\nSpeed=10\r\n").Setting.Speed, 100);
    EXPECT_EQ(Apply("[Setting]\r\nSpeed=0\r\n").Setting.Speed, 10);
    EXPECT_EQ(Apply("[Setting]\r\nSpeed=20\r\n").Setting.Speed, 500);
    for (const char* bad : {"21", "-2", "-1", "1000000", "x"})
        EXPECT_EQ(Apply(std::string("[Setting]\r\nSpeed=") + bad + "\r\n").Setting.Speed, 100)
            << bad;
}

TEST_F(UserSettingsTest, SingleModeNarrowsToTheIndexOrToPictureZero) {
    EXPECT_EQ(On(Apply("[Setting]\r\nImageMode=3\r\nIndex=5\r\n")), std::vector<size_t>{5});
    EXPECT_EQ(On(Apply("[Setting]\r\nImageMode=3\r\nIndex=8\r\n")), std::vector<size_t>{0});
    EXPECT_EQ(On(Apply("[Setting]\r\nImageMode=3\r\nIndex=-4\r\n")), std::vector<size_t>{0});
    EXPECT_EQ(On(Apply("[Setting]\r\nImageMode=3\r\n")), std::vector<size_t>{0});
    // No pictures at all: nothing to narrow, nothing read.
    EXPECT_TRUE(On(Apply("[Setting]\r\nImageMode=3\r\nIndex=0\r\n", 0)).empty());
}

TEST_F(UserSettingsTest, SingleModeLeavesTheListWhenThePictureIsOff) {
    Project p = ProjectOf(4);
    p.FileList.Enabled[2] = "FALSE";
    test::WriteTestFile(path_, "[Setting]\r\nImageMode=3\r\nIndex=2\r\n");
    ApplyUserSettings(p, ReadUserSettings(path_).value());
    EXPECT_EQ(On(p), (std::vector<size_t>{0, 1, 3}));
}

TEST_F(UserSettingsTest, FavouritesModeTurnsListedPicturesOffOthersModesIgnoreTheList) {
    const std::string files = "[Files]\r\n3=\r\n7=\r\n";
    EXPECT_EQ(On(Apply("[Setting]\r\nImageMode=2\r\n" + files)),
              (std::vector<size_t>{0, 1, 2, 4, 5, 6}));
    EXPECT_EQ(On(Apply("[Setting]\r\nImageMode=0\r\n" + files)).size(), 8u);
    EXPECT_EQ(Apply("[Setting]\r\nImageMode=2\r\n" + files).Setting.ShowImageMode, 2);
}

TEST_F(UserSettingsTest, FilesKeysThatNameNoPictureAreIgnored) {
    const auto p = Apply(
        "[Setting]\r\nImageMode=2\r\n[Files]\r\n8=\r\n-1=\r\nabc=\r\n0x1=\r\n$2=\r\n"
        "99999999999999=\r\n 4 =\r\n1=\r\n",
        8);
    EXPECT_EQ(On(p), (std::vector<size_t>{0, 2, 3, 5, 6, 7}));
    // The one-picture project of a single-picture show: only key 0 names a picture.
    EXPECT_TRUE(On(Apply("[Setting]\r\nImageMode=2\r\n[Files]\r\n0=\r\n1=\r\n", 1)).empty());
}

TEST_F(UserSettingsTest, SwitchesAndDurationOverrideTheProject) {
    const auto p = Apply("[setting]\r\nsound=0\r\nMusic=0\r\nTransition=0\r\nDuration=12\r\n");
    EXPECT_FALSE(p.Setting.Sound);
    EXPECT_FALSE(p.Setting.Music);
    EXPECT_FALSE(p.Setting.Transition);
    EXPECT_EQ(p.Setting.Duration, 12);
    const auto kept = Apply("[Setting]\r\nSound=on\r\nDuration=\r\n");
    EXPECT_TRUE(kept.Setting.Sound);
    EXPECT_EQ(kept.Setting.Duration, 30);
}

TEST_F(UserSettingsTest, ValuesNoWriterProducesReadAsMissing) {
    // The configuration window offers three sizes, four modes and at least one second.
    Project project = ProjectOf(8);
    project.Setting.ShowImageMode = 1;
    project.Setting.Duration = 20;
    for (const char* text : {"ImageSize=3\r\nImageMode=4\r\nDuration=0\r\n",
                             "ImageSize=-1\r\nImageMode=-1\r\nDuration=-5\r\n",
                             "ImageSize=0x10\r\nImageMode=9\r\nDuration=x\r\n"}) {
        SCOPED_TRACE(text);
        test::WriteTestFile(path_, std::string("[Setting]\r\n") + text);
        const UserSettings stored = ReadUserSettings(path_).value();
        EXPECT_EQ(stored.ImageSize, std::nullopt);
        EXPECT_EQ(stored.ImageMode, std::nullopt);
        EXPECT_EQ(stored.Duration, std::nullopt);
        Project p = project;
        ApplyUserSettings(p, stored);
        EXPECT_TRUE(p.Setting.Stretch);
        EXPECT_FALSE(p.Setting.Proportional);
        EXPECT_EQ(p.Setting.ShowImageMode, 1);
        EXPECT_EQ(p.Setting.Duration, 20);
    }
}

TEST_F(UserSettingsTest, WritesPresentValuesInOrderAndKeepsEveryOtherLine) {
    test::WriteTestFile(path_,
                        "; mine\r\n[Setting]\r\nDuration=9\r\nOwn=1\r\n[Files]\r\n1=\r\n"
                        "[Other]\r\nA=b\r\n");
    UserSettings settings;
    settings.ImageSize = 2;
    settings.SpeedIndex = 0;
    settings.Music = false;
    settings.Duration = 45;
    WriteUserSettings(path_, settings);
    EXPECT_EQ(ReadFileBytes(path_),
              "; mine\r\n[Setting]\r\nDuration=45\r\nOwn=1\r\nImageSize=2\r\nSpeed=0\r\n"
              "Music=0\r\n[Files]\r\n1=\r\n[Other]\r\nA=b\r\n");

    // [Files] is replaced only when a list is given; an empty list empties it.
    UserSettings state;
    state.Index = 3;
    state.UntickedPictures = std::vector<size_t>{4, 0};
    WriteUserSettings(path_, state);
    const UserSettings back = ReadUserSettings(path_).value();
    EXPECT_EQ(back.Index, 3);
    EXPECT_EQ(back.UntickedPictures, (std::vector<size_t>{4, 0}));
    EXPECT_EQ(back.ImageSize, 2);
    state.UntickedPictures = std::vector<size_t>{};
    WriteUserSettings(path_, state);
    EXPECT_EQ(ReadUserSettings(path_)->UntickedPictures, std::vector<size_t>{});
}

TEST_F(UserSettingsTest, WritingCreatesTheFileAndRefusesOneItCannotRead) {
    UserSettings settings;
    settings.Sound = true;
    WriteUserSettings(path_, settings);
    EXPECT_EQ(ReadFileBytes(path_), "[Setting]\r\nSound=1\r\n");
    std::filesystem::remove(path_);
    std::filesystem::create_directory(path_);
    EXPECT_THROW(WriteUserSettings(path_, settings), Error);
    EXPECT_TRUE(std::filesystem::is_directory(path_));
}

}  // namespace
}  // namespace lv
