// Several instances of one saver in one working folder. Locks of separately opened files
// conflict within one process as between processes, so most cases run here; a killed instance
// needs a process of its own.
#include "launcher/instance_registration.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "launcher/working_folder.h"
#include "project/saver_builder.h"
#include "project/saver_package.h"
#include "project/scratch_environment.h"

namespace lv {
namespace {
namespace fs = std::filesystem;

class InstanceRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string engine = apps_ + "engine";
        test::WriteTestFile(engine, std::string(4000, 'E'));
        SaverContents contents;
        contents.Forms = "object MainWindow end";
        contents.Files = {{"sea.lvp", "LVP-bytes", true, true}, {"song.mid", "MThd", false, true}};
        BuildSaver(saver_, engine, contents);
    }

    ino_t Inode(const std::string& path) const {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
    }

    test::ScratchEnvironment env_;
    std::string apps_ = env_.Folder("apps");
    std::string saver_ = apps_ + "Sea.scr";
    std::string w_ = env_.RunFolder() + "Sea/";
};

TEST_F(InstanceRegistrationTest, OnlyTheLastInstanceToEndRemovesTheFiles) {
    Project first;
    Project second;
    InstanceRegistration a = ExtractProject(first, saver_);
    InstanceRegistration b = ExtractProject(second, saver_);
    EXPECT_EQ(a.Folder(), w_);
    EXPECT_EQ(b.Folder(), w_);

    RemoveProjectFiles(first, a);
    EXPECT_FALSE(a.Registered());
    EXPECT_EQ(test::ReadTestFile(w_ + "sea.lvp"), "LVP-bytes");
    EXPECT_TRUE(fs::exists(w_ + "LVC.res"));

    RemoveProjectFiles(second, b);
    EXPECT_FALSE(fs::exists(w_));
    // Ending twice changes nothing.
    RemoveProjectFiles(second, b);
    EXPECT_FALSE(fs::exists(w_));
}

TEST_F(InstanceRegistrationTest, AnInstanceStartingBesideARunningOneLeavesItsFilesInPlace) {
    Project first;
    InstanceRegistration a = ExtractProject(first, saver_);
    const ino_t sea = Inode(w_ + "sea.lvp");
    const ino_t names = Inode(w_ + "LVFilenames.res");
    // A file that no longer holds what the package says is written again.
    test::WriteTestFile(w_ + "song.mid", "changed");

    Project second;
    InstanceRegistration b = ExtractProject(second, saver_);
    EXPECT_EQ(Inode(w_ + "sea.lvp"), sea);
    EXPECT_EQ(Inode(w_ + "LVFilenames.res"), names);
    EXPECT_EQ(test::ReadTestFile(w_ + "song.mid"), "MThd");
    RemoveProjectFiles(first, a);
    RemoveProjectFiles(second, b);
}

TEST_F(InstanceRegistrationTest, AKilledInstanceDoesNotKeepTheOthersFromCleaningUp) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Project project;
        const InstanceRegistration registration = ExtractProject(project, saver_);
        [[maybe_unused]] const ssize_t n = ::write(ready[1], "r", 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ::close(ready[0]);

    Project project;
    InstanceRegistration running = ExtractProject(project, saver_);
    RemoveProjectFiles(project, running);
    EXPECT_TRUE(fs::exists(w_ + "sea.lvp")) << "removed while the other instance ran";

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    InstanceRegistration last = ExtractProject(project, saver_);
    RemoveProjectFiles(project, last);
    EXPECT_FALSE(fs::exists(w_));
}

TEST_F(InstanceRegistrationTest, AnInstanceStartingDuringTheCleanUpWaitsAndUnpacksAgain) {
    Project first;
    InstanceRegistration a = ExtractProject(first, saver_);
    bool unpacked = false;
    std::thread starter;
    const bool last = a.Unregister([&](const std::string& folder) {
        starter = std::thread([&] {
            Project second;
            InstanceRegistration b = ExtractProject(second, saver_);
            unpacked = test::ReadTestFile(b.Folder() + "sea.lvp") == "LVP-bytes";
            RemoveProjectFiles(second, b);
        });
        // Give the starter time to open the lock file and wait on it.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().filename() != InstancesLockName) fs::remove(entry.path());
    });
    starter.join();
    EXPECT_TRUE(last);
    EXPECT_TRUE(unpacked);
    EXPECT_FALSE(fs::exists(w_));
}

TEST_F(InstanceRegistrationTest, TheLastInstanceAlsoRemovesWhatACutShortUnpackingLeft) {
    Project project;
    InstanceRegistration registration = ExtractProject(project, saver_);
    for (const char* left : {"sea.lvp.tmp4711.0", "LVC.res.tmp12.3"})
        test::WriteTestFile(w_ + left, "part");
    // Not temporary files of the package's names: someone else's.
    for (const char* kept : {"notes.txt.tmp1.2", "sea.lvp.tmpA.1", "sea.lvp.tmp9"})
        test::WriteTestFile(w_ + kept, "x");
    RemoveProjectFiles(project, registration);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(w_)) left.push_back(entry.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left,
              (std::vector<std::string>{"notes.txt.tmp1.2", "sea.lvp.tmp9", "sea.lvp.tmpA.1"}));
}

}  // namespace
}  // namespace lv
