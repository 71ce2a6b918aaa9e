#include "launcher/user_settings_path.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/user_folders.h"
#include "project/scratch_environment.h"

namespace lv {
namespace {

namespace fs = std::filesystem;

class UserSettingsPathTest : public ::testing::Test {
protected:
    std::string WriteSaver(const std::string& path) {
        test::WriteTestFile(path, "x");
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    test::ScratchEnvironment env_;
    std::string apps_ = env_.Folder("apps");
};

TEST_F(UserSettingsPathTest, BesideAWritableSaverOnlyTheFileNamesExtensionIsReplaced) {
    fs::create_directories(apps_ + "My.Folder");
    EXPECT_EQ(UserSettingsPath(WriteSaver(apps_ + "Sky Show.scr")), apps_ + "Sky Show.ini");
    EXPECT_EQ(UserSettingsPath(WriteSaver(apps_ + "Sea.Saver.scr")), apps_ + "Sea.Saver.ini");
    EXPECT_EQ(UserSettingsPath(WriteSaver(apps_ + "My.Folder/Sky")), apps_ + "My.Folder/Sky.ini");
    EXPECT_EQ(UserSettingsPath(apps_ + "absent.scr"), "");
}

TEST_F(UserSettingsPathTest, ALinkInTheUsersFolderKeepsItsSettingsBesideTheLink) {
    const std::string system = env_.Folder("system");
    const std::string saver = WriteSaver(system + "lorvane-demo");
    fs::create_symlink(saver, apps_ + "Demo.scr");
    const std::string started = StartedPath(apps_ + "Demo.scr");
    EXPECT_EQ(started, apps_ + "Demo.scr");
    EXPECT_EQ(UserSettingsPath(started), apps_ + "Demo.ini");
}

TEST_F(UserSettingsPathTest, StartedPathIsAbsoluteAndFindsABareNameInThePath) {
    const std::string saver = WriteSaver(apps_ + "Sky.scr");
    env_.Set("PATH", env_.Root() + "absent:" + apps_);
    EXPECT_EQ(StartedPath("Sky.scr"), saver);
    EXPECT_EQ(StartedPath(apps_ + "../apps/./Sky.scr"), saver);
    EXPECT_EQ(StartedPath("absent.scr"), "");
    EXPECT_EQ(StartedPath(""), "");
}

TEST_F(UserSettingsPathTest, AFolderTheUserCannotWriteKeepsOnlyAFileAlreadyThere) {
    const std::string beside = apps_ + "Sky.ini";
    EXPECT_TRUE(KeepBesideProgram(beside, FolderAccess::Writable));
    EXPECT_FALSE(KeepBesideProgram(beside, FolderAccess::NotWritable));
    test::WriteTestFile(beside, "[Setting]\r\n");
    EXPECT_TRUE(KeepBesideProgram(beside, FolderAccess::NotWritable));

    EXPECT_EQ(AccessOfFolder(apps_), FolderAccess::Writable);
    EXPECT_EQ(AccessOfFolder(apps_ + "absent"), FolderAccess::NotWritable);
    EXPECT_EQ(AccessOfFolder(beside), FolderAccess::NotWritable);  // a file, not a folder
}

TEST_F(UserSettingsPathTest, AnInstalledSaverKeepsItsSettingsInTheConfigurationFolder) {
    // The administrator may write anywhere, so only an ordinary user sees a system folder.
    if (::geteuid() == 0) GTEST_SKIP() << "runs as root, who may write every folder";
    const std::string system = env_.Folder("system");
    const std::string saver = WriteSaver(system + "Sky.scr");
    fs::permissions(system, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(UserSettingsPath(saver), env_.Root() + "config/lorvane/Sky.ini");
    fs::permissions(system, fs::perms::owner_all);
    test::WriteTestFile(system + "Sky.ini", "");
    fs::permissions(system, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(UserSettingsPath(saver), system + "Sky.ini");
    fs::permissions(system, fs::perms::owner_all);
}

}  // namespace
}  // namespace lv
