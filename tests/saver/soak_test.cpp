// A short soak run of the real engine: scripts/soak.sh for a few seconds with small pictures,
// damaged files among them and a picture change at every pass.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

bool OnPath(const char* program) {
    const std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

TEST(SoakTest, AShortShowWithDamagedPicturesKeepsRunningAndChangesPicturesOften) {
    const fs::path script = fs::path(LV_SOURCE_DIR) / "scripts" / "soak.sh";
    if (!fs::exists(script) || !fs::exists(LV_LVTOOL_PATH) || !fs::exists(LV_LVCSAVER_PATH) ||
        !OnPath("bash") || !OnPath("python3")) {
        GTEST_SKIP() << "soak needs bash, python3, lvtool and lvcsaver";
    }
    // 6 seconds of show; memory growth is left to the long run (the limit here only catches a
    // runaway). A pass takes at least one frame time, failed ones too, so a working show makes at
    // most about 180 changes in that time; a sanitizer build on a busy machine has made as few as
    // 14. 8 still tells a show that keeps changing from one that stopped, which makes none.
    const std::string command = "SOAK_NO_BUILD=1 SOAK_LVTOOL='" + std::string(LV_LVTOOL_PATH) +
                                "' SOAK_SIZE=160x100 SOAK_MIN_CHANGES=8 "
                                "SOAK_MAX_GROWTH_KB=65536 bash '" +
                                script.string() + "' 6 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    const int status = ::pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status)) << output;
    EXPECT_EQ(WEXITSTATUS(status), 0) << output;
    std::smatch match;
    ASSERT_TRUE(std::regex_search(output, match, std::regex("picture changes ([0-9]+)")))
        << output;
    EXPECT_GE(std::stoll(match[1]), 8) << output;
    EXPECT_EQ(output.find("ended by itself"), std::string::npos) << output;
}

}  // namespace
