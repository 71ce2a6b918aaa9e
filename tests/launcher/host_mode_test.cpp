// The program as a host's hack and the command-line mistakes around it, seen from outside:
// usage errors are one line and exit code 2, an unknown switch is named, and a show inside a
// host's window reports on standard error instead of in a message box nobody could see.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "project/scratch_environment.h"
#include "support/child_process.h"
#include "support/demo_saver.h"

namespace lv {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class HostModeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { demo_ = new test::DemoSaver(); }
    static void TearDownTestSuite() {
        delete demo_;
        demo_ = nullptr;
    }

    void SetUp() override {
        demo_->CopyTo(saver_);
        env_.Set("XDG_STATE_HOME", env_.Folder("state"));
    }

    struct Result {
        std::optional<int> status;
        std::string output;
    };

    // Runs the saver to its end (at most 30 s) with `variables` changed.
    Result Run(const std::vector<std::string>& arguments, std::vector<std::string> variables = {}) {
        std::vector<std::string> command = {saver_};
        command.insert(command.end(), arguments.begin(), arguments.end());
        variables.insert(variables.begin(), {"SDL_AUDIODRIVER=dummy", "XSCREENSAVER_WINDOW"});
        const std::string output = env_.Root() + "output.txt";
        test::ChildProcess process(command, variables, output);
        Result result;
        result.status = process.Wait(30s);
        result.output = test::ReadTestFile(output);
        return result;
    }
    static std::vector<std::string> NoDisplay() { return {"DISPLAY", "QT_QPA_PLATFORM=offscreen"}; }

    bool WorkingFolderExists() const { return fs::exists(env_.RunFolder() + "Sea"); }
    bool CrashReportWritten() const { return !fs::is_empty(env_.Root() + "state"); }

    static test::DemoSaver* demo_;
    test::ScratchEnvironment env_;
    std::string saver_ = env_.Folder("apps") + "Sea.scr";
};

test::DemoSaver* HostModeTest::demo_ = nullptr;

bool IsOneLine(const std::string& text) {
    return text.rfind("lvcsaver: ", 0) == 0 && text.find('\n') == text.size() - 1;
}

TEST_F(HostModeTest, BadWindowIdsAreUsageErrorsWithoutCrashReportOrUnpacking) {
    // The parser's cases are tested on their own; these show what the user gets.
    const std::vector<std::vector<std::string>> lines = {
        {"-window-id"}, {"--window-id=0"}, {"/p", "window"}};
    for (const auto& line : lines) {
        const Result result = Run(line, NoDisplay());
        EXPECT_EQ(result.status, std::optional<int>(2)) << line[0] << ": " << result.output;
        EXPECT_TRUE(IsOneLine(result.output)) << result.output;
    }
    const Result variable = Run({"--root"}, {"DISPLAY", "XSCREENSAVER_WINDOW=screen"});
    EXPECT_EQ(variable.status, std::optional<int>(2)) << variable.output;
    EXPECT_NE(variable.output.find("XSCREENSAVER_WINDOW"), std::string::npos) << variable.output;
    EXPECT_FALSE(WorkingFolderExists());
    EXPECT_FALSE(CrashReportWritten());
}

TEST_F(HostModeTest, WindowThatDoesNotExistIsAUsageError) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
    // Far above the ids an X server hands out to the few clients of a test display.
    const std::string missing = "0x3fffff";
    const Result embedded = Run({"--window-id", missing}, {"QT_QPA_PLATFORM=xcb"});
    EXPECT_EQ(embedded.status, std::optional<int>(2)) << embedded.output;
    EXPECT_TRUE(IsOneLine(embedded.output)) << embedded.output;
    EXPECT_FALSE(WorkingFolderExists());
    const Result saverWindow =
        Run({"-root"}, {"QT_QPA_PLATFORM=xcb", "XSCREENSAVER_WINDOW=" + missing});
    EXPECT_EQ(saverWindow.status, std::optional<int>(2)) << saverWindow.output;
    const Result preview = Run({"/p", std::to_string(0x3fffff)});
    EXPECT_EQ(preview.status, std::optional<int>(2)) << preview.output;
    EXPECT_TRUE(IsOneLine(preview.output)) << preview.output;
    EXPECT_FALSE(CrashReportWritten());
}

TEST_F(HostModeTest, UnknownSwitchIsNamedWithTheAcceptedFormsAndEndsWithZero) {
    for (const std::vector<std::string>& line :
         {std::vector<std::string>{"--fps"}, {"SX"}, {"--root", "--fps"}, {"-ROOT"}}) {
        const Result result = Run(line, NoDisplay());
        EXPECT_EQ(result.status, std::optional<int>(0)) << result.output;
        EXPECT_TRUE(IsOneLine(result.output)) << result.output;
        EXPECT_NE(result.output.find("'" + line.back() + "'"), std::string::npos) << result.output;
        EXPECT_NE(result.output.find("-window-id"), std::string::npos) << result.output;
    }
    EXPECT_FALSE(WorkingFolderExists());
}

TEST_F(HostModeTest, EmbeddedShowThatCannotRunSaysWhyOnStandardErrorAndEnds) {
    // Every picture unticked: the show has nothing to run. A message box would wait for ever.
    test::WriteTestFile(env_.Root() + "apps/Sea.ini",
                        "[Setting]\r\nImageMode=2\r\n[Files]\r\n0=\r\n1=\r\n2=\r\n");
    for (const std::vector<std::string>& line :
         {std::vector<std::string>{"--root"}, {"-window-id", "4711"}}) {
        const Result result = Run(line, NoDisplay());
        EXPECT_EQ(result.status, std::optional<int>(1)) << line[0] << ": " << result.output;
        EXPECT_NE(result.output.find("lvcsaver: Unable to run screensaver. Please configure!\n"),
                  std::string::npos)
            << result.output;
        EXPECT_FALSE(WorkingFolderExists());
    }
}

}  // namespace
}  // namespace lv
