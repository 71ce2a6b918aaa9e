// The shape of the source tree: which folder may include which, and what only the front end
// and the composition root may do.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "project/scratch_environment.h"

namespace {
namespace fs = std::filesystem;

using Folders = std::set<std::string>;

// The layers, lowest first: common (with platform beside it, and the crash reporter, which
// needs neither) -> codecs -> project -> effects -> {saver, audio, gui} -> launcher -> tools.
// Each folder lists every folder its files may include besides its own; "X/qt" is the toolkit
// part of X, which may also include X itself and the toolkit parts below it; "X/win32" is the
// same for the native Windows front end. Any other edge
// fails. The sound back-end (audio) implements the show's ShowAudio interface, the one edge
// between the three middle folders.
const std::map<std::string, Folders>& AllowedIncludes() {
    static const std::map<std::string, Folders> table = {
        {"common", {}},
        {"platform", {"common"}},
        {"crash", {}},
        {"codecs", {"common"}},
        {"project", {"common", "platform", "codecs"}},
        {"effects", {"common", "platform", "codecs", "project"}},
        {"saver", {"common", "platform", "codecs", "project", "effects"}},
        {"audio", {"common", "platform", "codecs", "project", "effects", "saver"}},
        {"gui", {"common", "platform", "codecs", "project", "effects"}},
        {"launcher",
         {"common", "platform", "codecs", "project", "effects", "saver", "audio", "gui", "crash"}},
        {"common/qt", {"common"}},
        {"saver/qt", {"common", "platform", "codecs", "project", "effects", "saver", "common/qt"}},
        {"gui/qt", {"common", "platform", "codecs", "project", "effects", "gui", "common/qt"}},
        {"launcher/qt",
         {"common", "platform", "codecs", "project", "effects", "saver", "audio", "gui", "crash",
          "launcher", "common/qt", "saver/qt", "gui/qt"}},
        {"platform/win32", {"common", "platform"}},
        {"crash/win32", {"crash"}},
        {"saver/win32", {"common", "platform", "codecs", "project", "effects", "saver"}},
        {"audio/win32", {"common", "platform", "codecs", "project", "effects", "saver", "audio"}},
        {"gui/win32", {"common", "platform", "codecs", "project", "effects", "gui"}},
        {"launcher/win32",
         {"common", "platform", "codecs", "project", "effects", "saver", "audio", "gui", "crash",
          "launcher", "saver/win32", "audio/win32", "gui/win32"}},
        // The engine's entry point.
        {"launcher/main", {"crash", "launcher/qt", "launcher/win32"}},
        // The authors' tool and its demo pictures stay on the Qt-free core; only the program
        // behind `lvtool window` uses the front end.
        {"tools/demo", {"common", "platform", "codecs", "project", "effects"}},
        {"tools/lvtool",
         {"common", "platform", "codecs", "project", "effects", "saver", "gui", "launcher",
          "tools/demo"}},
        {"tools/lvtool/qt",
         {"common", "platform", "codecs", "project", "effects", "saver", "gui", "launcher",
          "tools/lvtool", "common/qt", "gui/qt"}},
    };
    return table;
}

// The folder of the table a file belongs to, given its path below the tree's top.
std::string FolderOf(const fs::path& relative) {
    std::vector<std::string> parts;
    for (const auto& part : relative.parent_path()) parts.push_back(part.string());
    if (parts.size() < 2) return relative.parent_path().generic_string();
    std::string toolkit;
    for (const char* name : {"qt", "win32"})
        if (std::find(parts.begin() + 2, parts.end(), name) != parts.end())
            toolkit = std::string("/") + name;
    if (parts[0] == "src") {
        if (parts[1] == "launcher" && parts.size() > 2 && parts[2] == "main")
            return "launcher/main";
        return parts[1] + toolkit;
    }
    return parts[0] + "/" + parts[1] + toolkit;
}

// Where a quoted include is found, as the build's include folders find it: beside the file,
// then from src/, tools/ and tools/lvtool/. Empty when nowhere.
fs::path Resolve(const fs::path& root, const fs::path& file, const std::string& name) {
    for (const fs::path& base :
         {file.parent_path(), root / "src", root / "tools", root / "tools" / "lvtool"}) {
        const fs::path candidate = (base / name).lexically_normal();
        if (fs::exists(candidate)) return candidate;
    }
    return {};
}

// Every include in src/ and tools/ below `root` that the table does not allow, and every file in
// a folder the table does not know, one line each.
std::vector<std::string> ForbiddenIncludes(const fs::path& tree) {
    const fs::path root = fs::canonical(tree);
    const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::vector<std::string> problems;
    for (const char* top : {"src", "tools"}) {
        if (!fs::exists(root / top)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
            const auto ext = entry.path().extension();
            if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
            const fs::path relative = entry.path().lexically_relative(root);
            const std::string from = FolderOf(relative);
            const auto allowed = AllowedIncludes().find(from);
            if (allowed == AllowedIncludes().end()) {
                problems.push_back(relative.generic_string() + ": folder " + from +
                                   " has no place in the layers");
                continue;
            }
            std::ifstream in(entry.path());
            std::string line;
            int number = 0;
            while (std::getline(in, line)) {
                ++number;
                std::smatch match;
                if (!std::regex_search(line, match, include)) continue;
                const fs::path target = Resolve(root, entry.path(), match[1]);
                const std::string where = relative.generic_string() + ":" + std::to_string(number);
                if (target.empty()) {
                    problems.push_back(where + ": cannot find \"" + match[1].str() + "\"");
                    continue;
                }
                const std::string to = FolderOf(target.lexically_relative(root));
                if (to != from && !allowed->second.count(to))
                    problems.push_back(where + ": " + from + " includes " + to + " (" +
                                       match[1].str() + ")");
            }
        }
    }
    return problems;
}

TEST(Architecture, EveryIncludeFollowsTheLayers) {
    const auto problems = ForbiddenIncludes(LV_SOURCE_DIR);
    for (const auto& problem : problems) ADD_FAILURE() << problem;
}

TEST(Architecture, TheLayersRunOneWay) {
    // A cycle in the table would let two folders lean on each other.
    std::map<std::string, int> state;  // 1 on the current path, 2 done
    std::function<void(const std::string&, std::string)> visit = [&](const std::string& folder,
                                                                     std::string path) {
        path += " -> " + folder;
        if (state[folder] == 1) ADD_FAILURE() << "cycle:" << path;
        if (state[folder] != 0) return;
        state[folder] = 1;
        const auto entry = AllowedIncludes().find(folder);
        ASSERT_NE(entry, AllowedIncludes().end()) << folder << " is allowed but not placed";
        for (const auto& lower : entry->second) visit(lower, path);
        state[folder] = 2;
    };
    for (const auto& [folder, lower] : AllowedIncludes()) visit(folder, "");
}

TEST(Architecture, AnIncludeAgainstTheLayersIsCaught) {
    const lv::test::ScratchEnvironment scratch;
    const fs::path root = scratch.Folder("tree");
    fs::create_directories(root / "src" / "common");
    fs::create_directories(root / "src" / "saver" / "qt");
    fs::create_directories(root / "src" / "gui");
    fs::create_directories(root / "src" / "fresh");
    lv::test::WriteTestFile(root / "src/common/low.h", "#include \"saver/show.h\"\n");
    lv::test::WriteTestFile(root / "src/saver/show.h", "#include \"common/low.h\"\n");
    lv::test::WriteTestFile(root / "src/saver/qt/window.h", "#include \"saver/show.h\"\n");
    lv::test::WriteTestFile(root / "src/gui/side.cpp",
                            "  #  include \"saver/qt/window.h\"\n#include \"gui/gone.h\"\n");
    lv::test::WriteTestFile(root / "src/fresh/new.cpp", "\n");
    const std::vector<std::string> expected = {
        "src/common/low.h:1: common includes saver (saver/show.h)",
        "src/gui/side.cpp:1: gui includes saver/qt (saver/qt/window.h)",
        "src/gui/side.cpp:2: cannot find \"gui/gone.h\"",
        "src/fresh/new.cpp: folder fresh has no place in the layers",
    };
    std::vector<std::string> found = ForbiddenIncludes(root);
    std::sort(found.begin(), found.end());
    std::vector<std::string> sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(found, sorted);
}

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
            EXPECT_FALSE(std::regex_search(line, qtInclude))
                << path << ":" << number << ": " << line;
        }
        ++checked;
    }
    EXPECT_GT(checked, 5);
}

// The program is wired together in one place, which alone makes the application object.
TEST(Architecture, OnlyTheCompositionRootCreatesTheApplication) {
    const std::regex creates(
        R"((make_unique\s*<\s*QApplication\s*>|new\s+QApplication\b|\bQApplication\s+\w+\s*[({]))");
    const fs::path root = fs::path(LV_SOURCE_DIR) / "src";
    std::set<std::string> creators;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line))
            if (std::regex_search(line, creates))
                creators.insert(entry.path().lexically_relative(root).generic_string());
    }
    EXPECT_EQ(creators, std::set<std::string>{"launcher/qt/program.cpp"});
}

// lvtool runs on the core alone; the toolkit, the mixer and the stack-trace library come in
// only with lvtool-window.
TEST(Architecture, LvtoolLinksNoToolkitSoundOrStackTraceLibrary) {
    FILE* pipe = ::popen(("ldd '" + std::string(LV_LVTOOL_PATH) + "' 2>/dev/null").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string libraries;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) libraries += buffer;
    if (::pclose(pipe) != 0 || libraries.empty()) GTEST_SKIP() << "ldd cannot list lvtool";
    for (const char* name : {"libQt", "libSDL", "libboost", "libbacktrace"})
        EXPECT_EQ(libraries.find(name), std::string::npos) << name << " in\n" << libraries;
}

}  // namespace
