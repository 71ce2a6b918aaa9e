// Real shows of the demo saver side by side, each on a private virtual X server and ended by
// moving its mouse: the instances share one working folder, and the last one out removes it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>

#include "project/scratch_environment.h"
#include "support/lvtool_runner.h"
#include "support/show_process.h"

namespace lv {
namespace {
namespace fs = std::filesystem;

class SharedFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::OnPath("Xvfb") || !test::OnPath("xdotool"))
            GTEST_SKIP() << "needs Xvfb and xdotool";
        const std::string demo = scratch_.Folder("demo");
        const test::RunResult made = test::Lvtool("make-demo '" + demo + "' --size 160x100");
        ASSERT_EQ(made.status, 0) << made.output;
        saver_ = demo + "Demo.scr";
        // A picture change every second, the shortest a user can set, so the shows keep
        // reading the unpacked files.
        test::WriteTestFile(demo + "Demo.ini", "[Setting]\r\nDuration=1\r\nTransition=0\r\n");
        scratch_.Set("XDG_STATE_HOME", scratch_.Folder("state"));
    }

    test::Child StartShow(const test::VirtualDisplay& display, const std::string& name) {
        return test::Child(test::Spawn({saver_, "/s"},
                                       {{"DISPLAY", display.Name()},
                                        {"QT_QPA_PLATFORM", "xcb"},
                                        {"SDL_AUDIODRIVER", "dummy"},
                                        {"LVCSAVER_STATS", Stats(name)}},
                                       Log(name)));
    }

    std::string Stats(const std::string& name) const { return scratch_.Root() + name + ".stats"; }
    std::string Log(const std::string& name) const { return scratch_.Root() + name + ".log"; }
    std::string LogText(const std::string& name) const {
        std::ifstream in(Log(name));
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::string WorkingFolder() const { return scratch_.RunFolder() + "Demo"; }

    // Waits until `done` holds, up to `seconds`.
    static bool WaitFor(const std::function<bool()>& done, double seconds) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (!done()) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return true;
    }

    bool ChangingPictures(test::Child& show, const std::string& name) {
        // Generous: a sanitized build on a busy machine starts slowly.
        return WaitFor(
                   [&] {
                       return !show.Running() || test::ReadShowCounters(Stats(name)).Changes >= 3;
                   },
                   60) &&
               show.Running();
    }

    // Moves the mouse until the show has ended; its exit code.
    static std::optional<int> EndWithMouse(const test::VirtualDisplay& display, test::Child& show) {
        for (int i = 0; i < 60 && show.Running(); ++i) display.MoveMouse();
        return show.WaitForExit(10);
    }

    test::ScratchEnvironment scratch_;
    std::string saver_;
};

TEST_F(SharedFolderTest, TwoShowsShareTheFolderAndTheLastOneOutRemovesIt) {
    const test::VirtualDisplay first(scratch_.Root() + "x1.log");
    const test::VirtualDisplay second(scratch_.Root() + "x2.log");
    ASSERT_FALSE(first.Name().empty()) << "Xvfb did not start";
    ASSERT_FALSE(second.Name().empty()) << "Xvfb did not start";

    test::Child a = StartShow(first, "a");
    ASSERT_TRUE(ChangingPictures(a, "a")) << LogText("a");
    struct stat before {};
    ASSERT_EQ(::stat((WorkingFolder() + "/forest.jpg").c_str(), &before), 0);
    test::Child b = StartShow(second, "b");
    ASSERT_TRUE(ChangingPictures(b, "b")) << LogText("b");
    // The second show found the same bytes in place and left the file the first one reads.
    struct stat after {};
    ASSERT_EQ(::stat((WorkingFolder() + "/forest.jpg").c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);

    EXPECT_EQ(EndWithMouse(first, a), 0) << LogText("a");
    EXPECT_TRUE(fs::exists(WorkingFolder() + "/forest.jpg"));

    const test::ShowCounters atStart = test::ReadShowCounters(Stats("b"));
    std::this_thread::sleep_for(std::chrono::seconds(20));
    ASSERT_TRUE(b.Running()) << LogText("b");
    const test::ShowCounters atEnd = test::ReadShowCounters(Stats("b"));
    // A working show changes about once a second; a show without its files changes only
    // between failed loads, which the dropped errors count.
    EXPECT_GE(atEnd.Changes - atStart.Changes, 10);
    EXPECT_EQ(atEnd.DroppedErrors, 0) << LogText("b");

    EXPECT_EQ(EndWithMouse(second, b), 0) << LogText("b");
    EXPECT_EQ(test::ReadShowCounters(Stats("a")).DroppedErrors, 0);
    EXPECT_EQ(test::ReadShowCounters(Stats("b")).DroppedErrors, 0);
    EXPECT_FALSE(fs::exists(WorkingFolder()));
    EXPECT_TRUE(fs::is_empty(scratch_.RunFolder()));
    EXPECT_TRUE(fs::is_empty(scratch_.Root() + "state"));  // no crash report
}

TEST_F(SharedFolderTest, UnreadableSettingsFilesAreOneWarningEachAndTheShowRuns) {
    fs::remove(fs::path(saver_).replace_extension(".ini"));
    fs::create_directory(fs::path(saver_).replace_extension(".ini"));
    // The creator tool's configuration only adds a folder of picture sounds.
    fs::create_directory(scratch_.Root() + "config/Lorvane.ini");
    const test::VirtualDisplay display(scratch_.Root() + "x.log");
    ASSERT_FALSE(display.Name().empty()) << "Xvfb did not start";

    test::Child show = StartShow(display, "show");
    ASSERT_TRUE(
        WaitFor([&] { return !show.Running() || test::ReadShowCounters(Stats("show")).Passes > 0; },
                60) &&
        show.Running())
        << LogText("show");
    EXPECT_EQ(EndWithMouse(display, show), 0);

    const std::string log = LogText("show");
    const size_t warning = log.find("cannot read the user settings file");
    ASSERT_NE(warning, std::string::npos) << log;
    EXPECT_EQ(log.rfind("warning: ", warning), log.rfind('\n', warning) + 1) << log;
    EXPECT_EQ(log.find("user settings", log.find('\n', warning)), std::string::npos) << log;
    const size_t creator = log.find("Lorvane.ini: cannot read file");
    ASSERT_NE(creator, std::string::npos) << log;
    EXPECT_EQ(log.rfind("warning: ", creator), log.rfind('\n', creator) + 1) << log;
    EXPECT_EQ(log.find("Lorvane.ini", log.find('\n', creator)), std::string::npos) << log;
    EXPECT_TRUE(fs::is_empty(scratch_.Root() + "state")) << log;
    EXPECT_FALSE(fs::exists(WorkingFolder()));
}

}  // namespace
}  // namespace lv
