#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace {
namespace fs = std::filesystem;

// The core must build and test without a display: no Qt header outside the */qt/ folders.
TEST(Architecture, CoreSourcesIncludeNoQtHeader) {
    const std::regex qtInclude(R"(^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/))");
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(LV_SOURCE_DIR) / "src")) {
        if (!entry.is_regular_file()) continue;
        const std::string path = entry.path().generic_string();
        if (path.find("/qt/") != std::string::npos) continue;
        const auto ext = entry.path().extension();
        if (ext != ".h" && ext != ".cpp") continue;
        std::ifstream in(entry.path());
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            EXPECT_FALSE(std::regex_search(line, qtInclude)) << path << ":" << number << ": " << line;
        }
        ++checked;
    }
    EXPECT_GT(checked, 5);
}

}  // namespace
