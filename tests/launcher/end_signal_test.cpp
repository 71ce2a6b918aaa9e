// Hosts and sessions end a saver with SIGTERM, SIGINT or SIGHUP. A show or a configuration
// window then ends in order, deletes its unpacked files and exits with 0; the still preview keeps
// its files.
#include <gtest/gtest.h>
#include <poll.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "platform/end_signals.h"
#include "project/scratch_environment.h"
#include "support/child_process.h"
#include "support/demo_saver.h"

namespace lv {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Runs in a forked process; ends it with a code that names the step that went wrong.
void FirstSignalThenSecond() {
    platform::CatchEndSignals(platform::EndSignalAction::Notify);
    pollfd watch{platform::EndSignalDescriptor(), POLLIN, 0};
    if (::poll(&watch, 1, 0) != 0) std::_Exit(3);
    std::raise(SIGTERM);
    if (!platform::EndSignalReceived() || ::poll(&watch, 1, 1000) != 1) std::_Exit(4);
    platform::DrainEndSignalDescriptor();
    if (::poll(&watch, 1, 0) != 0) std::_Exit(5);
    // Still alive after the first; the second is not waited for.
    std::raise(SIGINT);
    std::_Exit(6);
}

TEST(EndSignals, TheFirstSignalWakesTheWatcherAndASecondEndsTheProcessAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(FirstSignalThenSecond(), ::testing::KilledBySignal(SIGINT), "");
}

TEST(EndSignals, AModeWithNothingToUndoEndsAtOnceWithExitCodeZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            platform::CatchEndSignals(platform::EndSignalAction::ExitAtOnce);
            std::raise(SIGHUP);
            std::_Exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

bool OnPath(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// The "passes=" count of a show's statistics file; 0 while it has none.
long Passes(const std::string& statsFile) {
    std::ifstream in(statsFile);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("passes=", 0) == 0) return std::atol(line.c_str() + 7);
    return 0;
}

class EndSignalProcessTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { demo_ = new test::DemoSaver(); }
    static void TearDownTestSuite() {
        delete demo_;
        demo_ = nullptr;
    }

    // A copy of the demo saver named `name`; its base name names its working folder.
    std::string Saver(const std::string& name) {
        const std::string path = apps_ + name;
        demo_->CopyTo(path);
        return path;
    }
    bool WorkingFolderExists(const std::string& baseName) const {
        return fs::exists(env_.RunFolder() + baseName);
    }
    std::string Output(const std::string& name) const { return env_.Root() + name + ".out"; }

    static test::DemoSaver* demo_;
    test::ScratchEnvironment env_;
    std::string apps_ = env_.Folder("apps");
};

test::DemoSaver* EndSignalProcessTest::demo_ = nullptr;

TEST_F(EndSignalProcessTest, RunningShowsEndInOrderOnEachSignal) {
    struct Show {
        int signal;
        std::string name;
        std::vector<std::string> arguments;
        std::unique_ptr<test::ChildProcess> process;
    };
    // Named apart, so each has a working folder of its own and all can run at once. The last is
    // a host's show, with an empty XSCREENSAVER_WINDOW that counts as unset.
    std::vector<Show> shows;
    shows.push_back({SIGTERM, "Term", {"/s"}, nullptr});
    shows.push_back({SIGINT, "Int", {"/s"}, nullptr});
    shows.push_back({SIGHUP, "Hup", {"/s"}, nullptr});
    shows.push_back({SIGTERM, "Root", {"--root"}, nullptr});
    for (Show& show : shows) {
        std::vector<std::string> command = {Saver(show.name + ".scr")};
        command.insert(command.end(), show.arguments.begin(), show.arguments.end());
        show.process = std::make_unique<test::ChildProcess>(
            command,
            std::vector<std::string>{
                "DISPLAY", "QT_QPA_PLATFORM=offscreen", "SDL_AUDIODRIVER=dummy",
                "XSCREENSAVER_WINDOW=", "LVCSAVER_STATS=" + env_.Root() + show.name + ".stats"},
            Output(show.name));
    }
    for (Show& show : shows) {
        ASSERT_TRUE(
            test::WaitUntil([&] { return Passes(env_.Root() + show.name + ".stats") > 0; }, 60s))
            << show.name << ": the show did not start; " << test::ReadTestFile(Output(show.name));
        ASSERT_TRUE(WorkingFolderExists(show.name));
    }
    for (Show& show : shows) show.process->Signal(show.signal);
    for (Show& show : shows) {
        EXPECT_EQ(show.process->Wait(20s), std::optional<int>(0))
            << show.name << ": " << test::ReadTestFile(Output(show.name));
        EXPECT_FALSE(WorkingFolderExists(show.name)) << show.name;
    }
}

TEST_F(EndSignalProcessTest, ConfigurationWindowStoresItsStateAsItsCloseButtonDoes) {
    if (std::getenv("DISPLAY") == nullptr || !OnPath("xdotool"))
        GTEST_SKIP() << "needs an X display and xdotool to see the window open";
    const std::string saver = Saver("Conf.scr");
    // Picture 7 does not exist in the demo: a window that stores its state drops it.
    test::WriteTestFile(apps_ + "Conf.ini", "[Setting]\r\nIndex=1\r\n[Files]\r\n1=\r\n7=\r\n");
    test::ChildProcess window({saver, "/c"}, {"QT_QPA_PLATFORM=xcb", "SDL_AUDIODRIVER=dummy"},
                              Output("conf"));
    const std::string waitForWindow = "timeout 60 xdotool search --sync --onlyvisible --pid " +
                                      std::to_string(window.Pid()) + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(waitForWindow.c_str()), 0) << test::ReadTestFile(Output("conf"));

    window.Signal(SIGTERM);
    EXPECT_EQ(window.Wait(20s), std::optional<int>(0)) << test::ReadTestFile(Output("conf"));
    const std::string settings = test::ReadTestFile(apps_ + "Conf.ini");
    EXPECT_NE(settings.find("Index=1"), std::string::npos) << settings;
    EXPECT_NE(settings.find("[Files]\r\n1=\r\n"), std::string::npos) << settings;
    EXPECT_EQ(settings.find("7="), std::string::npos) << settings;
    EXPECT_FALSE(WorkingFolderExists("Conf"));
}

TEST_F(EndSignalProcessTest, StillPreviewEndsWithZeroAndKeepsItsFiles) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
    // A host window that is never shown: the preview waits for it until the signal comes.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    ASSERT_EQ(xcb_connection_has_error(connection), 0);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t host = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, host, screen->root, 0, 0, 64, 48, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    xcb_flush(connection);

    test::ChildProcess preview({Saver("Prev.scr"), "/p", std::to_string(host)}, {}, Output("prev"));
    ASSERT_TRUE(
        test::WaitUntil([&] { return fs::exists(env_.RunFolder() + "Prev/LVGUI.lvu"); }, 60s));
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(preview.Wait(0ms)) << "the preview did not wait for its window";
    preview.Signal(SIGTERM);
    EXPECT_EQ(preview.Wait(20s), std::optional<int>(0)) << test::ReadTestFile(Output("prev"));
    EXPECT_TRUE(fs::exists(env_.RunFolder() + "Prev/forest.jpg"));
    xcb_disconnect(connection);
}

}  // namespace
}  // namespace lv
