// The engine program seen from outside: run modes that end without a window.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "codecs/picture_codecs.h"
#include "project/saver_builder.h"
#include "project/scratch_environment.h"

namespace lv {
namespace {
namespace fs = std::filesystem;

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        saver_ = scratch_.Folder("savers") + "Sea.Saver.scr";
        SaverContents contents;
        contents.SettingsText = "[General]\r\nProductName=Sea\r\n[Advance]\r\nPreviewFile=sea.bmp\r\n";
        Bitmap32 picture(4, 4);
        picture.Fill(0x00336699u);
        contents.Files = {{"sea.bmp", EncodeBmp24(picture), true, true}};
        BuildSaver(saver_, LV_LVCSAVER_PATH, contents);
    }

    int Run(const std::string& arguments) {
        // No display: modes that would open a window must not be reached by these tests.
        const std::string command =
            "env -u DISPLAY QT_QPA_PLATFORM=offscreen '" + saver_ + "' " + arguments +
            " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    bool WorkingFolderExists() const {
        for (const auto& entry : fs::recursive_directory_iterator(scratch_.RunFolder()))
            if (entry.path().filename() == "Sea") return true;
        return false;
    }

    test::ScratchEnvironment scratch_;
    std::string saver_;
};

TEST_F(ProgramTest, UnknownSwitchEndsAtOnceWithoutUnpacking) {
    EXPECT_EQ(Run("SX"), 0);
    EXPECT_EQ(Run("/X"), 0);
    EXPECT_FALSE(WorkingFolderExists());
}

TEST_F(ProgramTest, PasswordChangeNeverTouchesTheWorkingFolder) {
    EXPECT_EQ(Run("/a 1234"), 0);
    EXPECT_FALSE(WorkingFolderExists());
}

TEST_F(ProgramTest, FailedPreviewIsReportedAndKeepsTheUnpackedFiles) {
    // Without a display the host window cannot be reached: a crash report, not a silent end.
    scratch_.Set("XDG_STATE_HOME", scratch_.Folder("state"));
    EXPECT_EQ(Run("/p 4711"), 70);
    EXPECT_TRUE(WorkingFolderExists());
    EXPECT_FALSE(fs::is_empty(scratch_.Root() + "state/lvcsaver"));
}

TEST_F(ProgramTest, EngineWithoutPackageEndsWithAClearReport) {
    scratch_.Set("XDG_STATE_HOME", scratch_.Folder("state"));
    const std::string command = "env -u DISPLAY QT_QPA_PLATFORM=offscreen '" +
                                std::string(LV_LVCSAVER_PATH) +
                                "' /s 2>&1 | grep -q 'no saver package found'";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST_F(ProgramTest, RunningShowEndsWhenTerminated) {
    // Hosts end a saver with SIGTERM; the audio library must not swallow it, and the show ends
    // in order.
    const std::string command =
        "env -u DISPLAY QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy timeout -s KILL 20 "
        "bash -c \"'" + saver_ + "' /s >/dev/null 2>&1 & pid=\\$!; sleep 2; "
        "kill -TERM \\$pid; wait \\$pid; exit \\$?\"";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(WorkingFolderExists());
}

}  // namespace
}  // namespace lv
