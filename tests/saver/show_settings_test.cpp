#include "saver/show_settings.h"

#include <gtest/gtest.h>

#include "project/project.h"
#include "saver/picture_order.h"

namespace lv {
namespace {

TEST(MakeSinglePictureProject, KeepsTheDisplayAndSpeedAndNothingElse) {
    Project project;
    project.FileList.Files = {"/w/a.jpg", "/w/b.lvp"};
    project.FileList.Enabled = {"FALSE", "TRUE"};
    project.Setting.Stretch = false;
    project.Setting.Proportional = true;
    project.Setting.Speed = 240;
    project.Setting.Sound = false;
    project.Setting.Music = true;
    project.Setting.MusicFile = "tune.mid";
    project.Setting.Duration = 7;
    project.Setting.Transition = false;
    project.Setting.ShowImageMode = 1;

    const Project single = MakeSinglePictureProject(project, "/w/a.jpg");
    EXPECT_EQ(EnabledPictures(single.FileList), (std::vector<std::string>{"/w/a.jpg"}));
    const ShowSettings show = ShowSettingsFromProject(single.Setting);
    EXPECT_FALSE(show.Stretch);
    EXPECT_TRUE(show.Proportional);
    EXPECT_EQ(show.Speed, 240);
    EXPECT_TRUE(show.Sound);
    EXPECT_FALSE(show.Music);
    EXPECT_EQ(show.MusicFile, "");
    // The rest as in a new project.
    const ProjectSettings fresh;
    EXPECT_EQ(show.Duration, fresh.Duration);
    EXPECT_EQ(show.Transition, fresh.Transition);
    EXPECT_EQ(show.ShowImageMode, fresh.ShowImageMode);
    EXPECT_EQ(show.AutoAdvance, fresh.Random);
}

TEST(EnableAllPictures, GivesEveryFileAnEnabledEntry) {
    Project project;
    project.FileList.Files = {"a", "b", "c"};
    project.FileList.Enabled = {"FALSE"};
    EnableAllPictures(project);
    EXPECT_EQ(project.FileList.Enabled, (std::vector<std::string>{"TRUE", "TRUE", "TRUE"}));
}

}  // namespace
}  // namespace lv
