#include "project/project.h"

#include <gtest/gtest.h>

#include <set>

#include "common/error.h"
#include "project/container.h"
#include "project/scratch_environment.h"

namespace lv {
namespace {

namespace fs = std::filesystem;

class LVCProjectTest : public ::testing::Test {
protected:
    std::string WriteLvc(const std::string& fileList, const std::string& settings,
                         const std::string& ui, const std::string& name = "LVC.res") {
        const std::string path = work_ + name;
        test::WriteTestFile(path, BuildContainer({fileList, settings, ui}));
        return path;
    }
    size_t RunFolderEntries() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(env_.RunFolder())) ++n;
        return n;
    }

    test::ScratchEnvironment env_;
    std::string work_ = env_.Folder("work");
};

TEST_F(LVCProjectTest, MissingSectionsKeepEveryDefault) {
    Project project;
    project.Load(WriteLvc("", "[General]\r\nProductName=Sea\r\n", ""));
    const ProjectSettings defaults;
    const ProjectSettings& s = project.Setting;
    EXPECT_EQ(s.ProductName, "Sea");
    EXPECT_EQ(s.Stretch, defaults.Stretch);
    EXPECT_EQ(s.Proportional, defaults.Proportional);
    EXPECT_EQ(s.Duration, 30);
    EXPECT_EQ(s.Speed, 100);
    EXPECT_EQ(s.ZoomDuration, 5);
    EXPECT_EQ(s.BuildMethod, 1);
    EXPECT_TRUE(s.BuildSmallThumbs);
    EXPECT_TRUE(project.FileList.Files.empty());
    EXPECT_EQ(project.UISetting.UIFile, "");
}

TEST_F(LVCProjectTest, ReadsEveryKindOfValue) {
    Project project;
    project.Load(WriteLvc(
        "[FileListHeader]\r\nHeader=1\r\n[FileList]\r\nsea.lvp=1\r\nsky.jpg=0\r\nrain.lvp=5\r\n",
        "[Default]\r\nDuration=0x1E\r\nStretch=2\r\nMusic=0\r\nSound=1\r\nSpeed=$3C\r\n"
        "ShowImageMode=3\r\n[Advance]\r\nPreviewFile=C:\\proj\\prev.jpg\r\n"
        "MusicFile=a.mid;b.mid;\r\n[Build]\r\nBuildSmallThumbs=0\r\n",
        "[UI]\r\nUIFile=C:\\proj\\forms.lvu\r\n"));
    EXPECT_EQ(project.FileList.Files, (std::vector<std::string>{"sea.lvp", "sky.jpg", "rain.lvp"}));
    EXPECT_EQ(project.FileList.Enabled, (std::vector<std::string>{"TRUE", "FALSE", "TRUE"}));
    const ProjectSettings& s = project.Setting;
    EXPECT_EQ(s.Duration, 30);
    EXPECT_TRUE(s.Stretch);
    EXPECT_FALSE(s.Music);
    EXPECT_TRUE(s.Sound);
    EXPECT_EQ(s.Speed, 60);
    EXPECT_EQ(s.ShowImageMode, 3);
    EXPECT_EQ(s.PreviewFile, "C:\\proj\\prev.jpg");
    EXPECT_EQ(s.MusicFile, "a.mid;b.mid;");
    EXPECT_FALSE(s.BuildSmallThumbs);
    EXPECT_EQ(project.UISetting.UIFile, "C:\\proj\\forms.lvu");
}

TEST_F(LVCProjectTest, BadNumbersKeepTheDefault) {
    Project project;
    project.Load(WriteLvc("", "[Default]\r\nDuration=abc\r\nStretch=yes\r\nSpeed=\r\n", ""));
    EXPECT_EQ(project.Setting.Duration, 30);
    EXPECT_TRUE(project.Setting.Stretch);
    EXPECT_EQ(project.Setting.Speed, 100);
}

TEST_F(LVCProjectTest, LoadingAgainReplacesTheFileList) {
    Project project;
    const std::string lvc = WriteLvc("[FileList]\r\na.lvp=1\r\nb.lvp=0\r\n", "", "");
    project.Load(lvc);
    project.Load(lvc);
    EXPECT_EQ(project.FileList.Files.size(), 2u);
    EXPECT_EQ(project.FileList.Enabled.size(), 2u);
}

TEST_F(LVCProjectTest, LeavesNoTemporaryFilesBehindEvenWhenTheContainerIsBroken) {
    Project project;
    project.Load(WriteLvc("[FileList]\r\na.lvp=1\r\n", "", ""));
    EXPECT_EQ(RunFolderEntries(), 0u);

    // Two entries instead of three: reported, and nothing stays in the temporary folder.
    test::WriteTestFile(work_ + "LVC.res", BuildContainer({"[FileList]\r\nx=1\r\n", ""}));
    EXPECT_THROW(project.Load(work_ + "LVC.res"), FormatError);
    EXPECT_EQ(RunFolderEntries(), 0u);
    test::WriteTestFile(work_ + "LVC.res", "no container here");
    EXPECT_THROW(project.Load(work_ + "LVC.res"), FormatError);
    EXPECT_EQ(RunFolderEntries(), 0u);
}

TEST_F(LVCProjectTest, TemporaryFilesAreNamedAfterTheContainer) {
    // Stale files under the loader's names are replaced, then removed.
    for (const char* n : {"LVLVC.~1.tmp", "LVLVC.~2.tmp", "LVLVC.~3.tmp"})
        test::WriteTestFile(env_.RunFolder() + n, "[FileList]\r\nstale=1\r\n");
    Project project;
    project.Load(WriteLvc("[FileList]\r\nfresh.lvp=1\r\n", "", ""));
    EXPECT_EQ(project.FileList.Files, std::vector<std::string>{"fresh.lvp"});
    EXPECT_EQ(RunFolderEntries(), 0u);
}

TEST(SettingKeys, CoverEveryFieldOnce) {
    std::set<std::string> names;
    for (const auto& key : SettingKeys()) EXPECT_TRUE(names.insert(key.Key).second) << key.Key;
    EXPECT_EQ(names.size(), 25u);
    EXPECT_STREQ(SettingKeys().front().Key, "ProductName");
    EXPECT_STREQ(SettingKeys().back().Key, "BuildIcon");
}

}  // namespace
}  // namespace lv
