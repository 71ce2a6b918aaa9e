#include "gui/config/config_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_util.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

Project ProjectWithPictures(size_t count) {
    Project project;
    for (size_t i = 0; i < count; ++i) {
        project.FileList.Files.push_back("p" + std::to_string(i) + ".jpg");
        project.FileList.Enabled.push_back("TRUE");
    }
    return project;
}

struct Saver {
    test::TempDir dir;
    std::string program = dir.Write("Sky.scr", "engine");
    std::string ini = dir.File("Sky.ini");
    UserSettingsFile file = ConfigSettingsFile(ini, program, "");
};

TEST(ConfigSettingsFile, UsableOnlyAsScrOrWithSlashC) {
    test::TempDir dir;
    const std::string scr = dir.Write("Sky.SCR", "");
    const std::string plain = dir.Write("lvcsaver", "");
    const std::string dotted = dir.Write("my.engine", "");

    const std::string ini = dir.File("settings.ini");
    EXPECT_TRUE(ConfigSettingsFile(ini, scr, "").Usable);
    EXPECT_TRUE(ConfigSettingsFile(ini, scr, "/S").Usable);
    EXPECT_TRUE(ConfigSettingsFile(ini, plain, "/c").Usable);
    EXPECT_FALSE(ConfigSettingsFile(ini, plain, "").Usable);
    EXPECT_FALSE(ConfigSettingsFile(ini, plain, "/c:1234").Usable);  // the whole argument counts
    EXPECT_FALSE(ConfigSettingsFile(ini, dotted, "C").Usable);
    // A program file that cannot be found has no settings file beside it.
    EXPECT_FALSE(ConfigSettingsFile("", dir.File("gone.scr"), "/C").Usable);
}

TEST(ConfigSettings, DefaultsComeFromTheProject) {
    Project project = ProjectWithPictures(2);
    project.Setting.Speed = 100;
    project.Setting.Stretch = true;
    project.Setting.Proportional = true;
    project.Setting.ShowImageMode = 3;
    project.Setting.Duration = 12;
    project.Setting.Music = false;
    Saver saver;  // no settings file yet

    const auto read = ReadSettingsDialogValues(project, saver.file);
    EXPECT_TRUE(read.Usable);
    EXPECT_EQ(read.Values.SpeedIndex, 10);
    EXPECT_EQ(read.Values.ImageSize, 2);
    EXPECT_EQ(read.Values.ImageMode, 3);
    EXPECT_EQ(read.Values.Duration, 12);
    EXPECT_FALSE(read.Values.Music);

    project.Setting.Proportional = false;
    EXPECT_EQ(SettingsDialogValues(project.Setting, {}).ImageSize, 1);
    project.Setting.Stretch = false;
    project.Setting.Proportional = true;
    EXPECT_EQ(SettingsDialogValues(project.Setting, {}).ImageSize, 0);
}

TEST(ConfigSettings, SpeedOutsideTheTableKeepsTheProjectSpeed) {
    Project project = ProjectWithPictures(1);
    project.Setting.Speed = 130;
    Saver saver;
    EXPECT_EQ(ReadSettingsDialogValues(project, saver.file).Values.SpeedIndex, 10);
    ApplyStoredSettings(project, saver.file);
    EXPECT_EQ(project.Setting.Speed, 130);

    WriteFileAtomically(saver.ini, "[Setting]\r\nSpeed=20\r\n");
    ApplyStoredSettings(project, saver.file);
    EXPECT_EQ(project.Setting.Speed, 500);
}

TEST(ConfigSettings, StoredValuesOverrideAndOddOnesReadAsMissing) {
    Project project = ProjectWithPictures(1);
    Saver saver;
    WriteFileAtomically(saver.ini,
                        "[setting]\r\nImageSize=0\r\nImageMode=7\r\nSpeed=21\r\nSound=0\r\n"
                        "Music=5\r\nTransition=x\r\nDuration=0\r\n");
    const auto v = ReadSettingsDialogValues(project, saver.file).Values;
    EXPECT_EQ(v.ImageSize, 0);
    EXPECT_EQ(v.ImageMode, 0);    // 7 is no choice: the project's mode
    EXPECT_EQ(v.SpeedIndex, 10);  // 21 is beyond the table
    EXPECT_FALSE(v.Sound);
    EXPECT_TRUE(v.Music);  // any non-zero number is true
    EXPECT_TRUE(v.Transition);
    EXPECT_EQ(v.Duration, 30);

    ApplyStoredSettings(project, saver.file);
    EXPECT_FALSE(project.Setting.Stretch);
    EXPECT_FALSE(project.Setting.Sound);
}

// The dialog shows what the next show runs with, whatever the file holds.
TEST(ConfigSettings, TheDialogShowsWhatTheShowWouldRun) {
    Project project = ProjectWithPictures(4);
    project.Setting.Stretch = false;
    project.Setting.Proportional = true;
    project.Setting.ShowImageMode = 1;
    project.Setting.Speed = 200;
    project.Setting.Duration = 17;
    Saver saver;
    for (const char* text :
         {"", "ImageSize=5\r\nImageMode=7\r\nDuration=0\r\nSpeed=-3\r\n",
          "ImageSize=-1\r\nImageMode=-2\r\nDuration=-30\r\nSound=0\r\n",
          "ImageSize=2\r\nImageMode=3\r\nDuration=8\r\nSpeed=4\r\nMusic=7\r\n"}) {
        SCOPED_TRACE(text);
        WriteFileAtomically(saver.ini, std::string("[Setting]\r\n") + text);
        Project shown = project;
        ApplyUserSettings(shown, ReadUserSettings(saver.ini).value());
        const UserSettingValues dialog = ReadSettingsDialogValues(project, saver.file).Values;
        const UserSettingValues running = SettingsDialogValues(shown.Setting, {});
        EXPECT_EQ(dialog.ImageSize, running.ImageSize);
        EXPECT_EQ(dialog.ImageMode, running.ImageMode);
        EXPECT_EQ(dialog.SpeedIndex, running.SpeedIndex);
        EXPECT_EQ(dialog.Duration, running.Duration);
        EXPECT_EQ(dialog.Sound, running.Sound);
        EXPECT_EQ(dialog.Music, running.Music);
    }
}

TEST(ConfigSettings, WritesTheSevenKeysInOrderAndKeepsOtherLines) {
    Saver saver;
    WriteFileAtomically(saver.ini, "[Setting]\r\nIndex=2\r\n[Files]\r\n1=\r\n");
    UserSettingValues values;
    values.ImageSize = 1;
    values.ImageMode = 2;
    values.SpeedIndex = 4;
    values.Sound = false;
    values.Music = true;
    values.Transition = false;
    values.Duration = 45;
    WriteSettingsDialogValues(saver.file, values);
    EXPECT_EQ(ReadFileBytes(saver.ini),
              "[Setting]\r\nIndex=2\r\nImageSize=1\r\nImageMode=2\r\nSpeed=4\r\nSound=0\r\n"
              "Music=1\r\nTransition=0\r\nDuration=45\r\n[Files]\r\n1=\r\n");
}

TEST(ConfigSettings, AnUnusableFileIsNeitherReadNorWritten) {
    test::TempDir dir;
    const std::string program = dir.Write("lvcsaver", "engine");
    const std::string ini = dir.File("lvcsaver.ini");
    WriteFileAtomically(ini, "[Setting]\r\nImageSize=0\r\nIndex=1\r\n[Files]\r\n0=\r\n");
    const UserSettingsFile file = ConfigSettingsFile(ini, program, "");
    Project project = ProjectWithPictures(3);

    const auto read = ReadSettingsDialogValues(project, file);
    EXPECT_FALSE(read.Usable);
    EXPECT_EQ(read.Values.ImageSize, 1);  // the project's stretch, not the file's 0
    EXPECT_EQ(ReadPictureIndex(file, 3), 0);
    EXPECT_EQ(ReadPictureTicks(file, 3), std::vector<bool>(3, true));

    WriteSettingsDialogValues(file, read.Values);
    const std::vector<bool> ticks{true, false, true};
    WriteWindowState(file, 2, &ticks);
    ApplyStoredSettings(project, file);
    EXPECT_TRUE(project.Setting.Stretch);
    EXPECT_EQ(ReadFileBytes(ini), "[Setting]\r\nImageSize=0\r\nIndex=1\r\n[Files]\r\n0=\r\n");
}

TEST(ConfigSettings, AFileThatCannotBeReadIsReportedOnceAndLeftAlone) {
    test::TempDir dir;
    const std::string program = dir.Write("Sky.scr", "engine");
    const std::string ini = dir.File("Sky.ini");
    std::filesystem::create_directory(ini);
    std::vector<std::string> warnings;
    const UserSettingsFile file =
        ConfigSettingsFile(ini, program, "", [&](const std::string& w) { warnings.push_back(w); });
    EXPECT_FALSE(file.Usable);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(ini), std::string::npos) << warnings[0];

    Project project = ProjectWithPictures(3);
    const auto read = ReadSettingsDialogValues(project, file);
    EXPECT_FALSE(read.Usable);
    EXPECT_EQ(read.Values.ImageSize, 1);  // the project's own
    const std::vector<bool> ticks{true, false, true};
    WriteWindowState(file, 2, &ticks);
    WriteSettingsDialogValues(file, read.Values);
    EXPECT_TRUE(std::filesystem::is_directory(ini));

    // A readable file says nothing.
    std::filesystem::remove(ini);
    WriteFileAtomically(ini, "[Setting]\r\nImageSize=0\r\n");
    warnings.clear();
    const auto collect = [&](const std::string& w) { warnings.push_back(w); };
    EXPECT_TRUE(ConfigSettingsFile(ini, program, "", collect).Usable);
    EXPECT_TRUE(warnings.empty());
}

TEST(WindowState, IndexAndUntickedPicturesRoundTrip) {
    Saver saver;
    WriteFileAtomically(saver.ini, "[Files]\r\n0=\r\n9=\r\n[Setting]\r\nSound=1\r\n");
    std::vector<bool> ticks(5, true);
    ticks[3] = false;
    WriteWindowState(saver.file, 4, &ticks);
    EXPECT_EQ(ReadFileBytes(saver.ini), "[Setting]\r\nSound=1\r\nIndex=4\r\n[Files]\r\n3=\r\n");
    EXPECT_EQ(ReadPictureIndex(saver.file, 5), 4);
    EXPECT_EQ(ReadPictureTicks(saver.file, 5), ticks);

    // Without a thumbnail list [Files] stays as it is.
    WriteWindowState(saver.file, 1, nullptr);
    EXPECT_EQ(ReadPictureTicks(saver.file, 5), ticks);
}

TEST(WindowState, StoredIndexBeyondTheListOpensOnTheFirstPicture) {
    Saver saver;
    WriteFileAtomically(saver.ini, "[Setting]\r\nIndex=5\r\n[Files]\r\n-1=\r\n+2=\r\n7=\r\n1=\r\n");
    EXPECT_EQ(ReadPictureIndex(saver.file, 5), 0);
    EXPECT_EQ(ReadPictureIndex(saver.file, 6), 5);
    WriteFileAtomically(saver.ini,
                        "[Setting]\r\nIndex=-2\r\n[Files]\r\n-1=\r\n+2=\r\n7=\r\n1=\r\n");
    EXPECT_EQ(ReadPictureIndex(saver.file, 6), 0);
    // Only plain decimal keys of existing pictures untick anything.
    EXPECT_EQ(ReadPictureTicks(saver.file, 5), (std::vector<bool>{true, false, true, true, true}));
}

}  // namespace
}  // namespace lv
