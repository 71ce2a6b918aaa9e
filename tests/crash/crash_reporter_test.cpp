#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
namespace fs = std::filesystem;

TEST(CrashReporter, UnhandledErrorWritesAReportWithTraceAndEndsNonZero) {
    const fs::path state = fs::temp_directory_path() / ("lv-crash-test-" + std::to_string(::getpid()));
    fs::remove_all(state);
    const std::string command = "XDG_STATE_HOME=" + state.string() + " " + LV_CRASH_PROBE_PATH +
                                " 'disk on fire' 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 70);

    std::vector<fs::path> reports;
    for (const auto& entry : fs::directory_iterator(state / "lvcsaver")) reports.push_back(entry.path());
    ASSERT_EQ(reports.size(), 1u);
    std::ifstream in(reports[0]);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("Error: disk on fire"), std::string::npos);
    EXPECT_NE(text.str().find("FailDeepInside"), std::string::npos) << text.str();
    fs::remove_all(state);
}

}  // namespace
