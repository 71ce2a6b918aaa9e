// lvtool install-hack and uninstall-hack on a ~/.xscreensaver as xscreensaver-settings 6.06
// writes it, in a home folder of the test's own.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "codecs/picture_codecs.h"
#include "project/scratch_environment.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

namespace fs = std::filesystem;

struct ToolResult {
    int status;
    std::string output;  // stdout and stderr together
};

std::string Quote(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

ToolResult RunTool(const std::vector<std::string>& words) {
    std::string command = Quote(LV_LVTOOL_PATH);
    for (const std::string& w : words) command += " " + Quote(w);
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, "popen failed"};
    std::string output;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

const std::string DaemonFile =
    test::ReadTestFile(std::string(LV_SOURCE_DIR) + "/tests/tools/xscreensaver-6.06.txt");

class InstallHack : public ::testing::Test {
protected:
    InstallHack() {
        env_.Set("HOME", home_);
        const std::string picture = dir_.Write("sky.bmp", EncodeBmp24(test::GradientPicture(8, 6)));
        const std::string settings = dir_.Write("s.ini", "[General]\r\nProductName=Sky show\r\n");
        saver_ = dir_.File("Sky.scr");
        const ToolResult built = RunTool(
            {"build-saver", saver_, "--engine", LV_LVCSAVER_PATH, "--settings", settings, picture});
        EXPECT_EQ(built.status, 0) << built.output;
    }
    std::string Preferences() const { return test::ReadTestFile(home_ + ".xscreensaver"); }
    void WritePreferences(const std::string& text, fs::perms permissions) {
        test::WriteTestFile(home_ + ".xscreensaver", text);
        fs::permissions(home_ + ".xscreensaver", permissions);
    }

    test::ScratchEnvironment env_;
    test::TempDir dir_;
    std::string home_ = env_.Folder("home");
    std::string copy_ = env_.Root() + "data/lorvane/savers/Sky.scr";
    std::string saver_;
};

TEST_F(InstallHack, RoundTripsTheDaemonsOwnFile) {
    const auto ownerOnly = fs::perms::owner_read | fs::perms::owner_write;
    WritePreferences(DaemonFile, ownerOnly);

    ToolResult result = RunTool({"install-hack", saver_});
    ASSERT_EQ(result.status, 0) << result.output;
    const std::string entry = "\t\t\t\t\"Sky show\" " + copy_ + " --root\t\t\t    \\n\\\n";
    // One line more, at the end of the list, before the empty line that ends it.
    std::string expected = DaemonFile;
    const std::string lastEntry = "- GL: \t\t\t\tsquirtorus --root\t\t\t    \\n\\\n";
    ASSERT_EQ(CountOf(expected, lastEntry), 1u);
    expected.insert(expected.find(lastEntry) + lastEntry.size(), entry);
    EXPECT_EQ(Preferences(), expected);
    EXPECT_EQ(fs::status(home_ + ".xscreensaver").permissions(), ownerOnly);
    EXPECT_EQ(test::ReadTestFile(copy_), test::ReadTestFile(saver_));
    EXPECT_NE(fs::status(copy_).permissions() & fs::perms::owner_exec, fs::perms::none);

    // Again, from the copy itself: the entry is replaced, not doubled.
    result = RunTool({"install-hack", copy_});
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(Preferences(), expected);

    result = RunTool({"uninstall-hack", "Sky show"});
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(Preferences(), DaemonFile);
    EXPECT_FALSE(fs::exists(copy_));

    result = RunTool({"uninstall-hack", "Sky show"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("lists no screen saver labelled 'Sky show'"), std::string::npos)
        << result.output;
}

TEST_F(InstallHack, ALabelReplacesItsEntryAndAnOtherLabelAddsOne) {
    WritePreferences(DaemonFile, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(RunTool({"install-hack", saver_, "--name", "Evening sky"}).status, 0);
    ASSERT_EQ(RunTool({"install-hack", saver_}).status, 0);
    EXPECT_EQ(CountOf(Preferences(), "\"Evening sky\" "), 1u);
    EXPECT_EQ(CountOf(Preferences(), "\"Sky show\" "), 1u);
    ASSERT_EQ(RunTool({"uninstall-hack", "Evening sky"}).status, 0);
    ASSERT_EQ(RunTool({"uninstall-hack", "Sky show"}).status, 0);
    EXPECT_EQ(Preferences(), DaemonFile);

    const ToolResult quoted = RunTool({"install-hack", saver_, "--name", "Sky \"show\""});
    EXPECT_EQ(quoted.status, 1);
    EXPECT_EQ(Preferences(), DaemonFile);
}

TEST_F(InstallHack, AListWhoseLastLineHoldsAnEntryRoundTrips) {
    const std::string text =
        "# mine\nmode:\t\trandom\nprograms:\t\\\n  maze -root \\n\nlock:\tFalse\n";
    WritePreferences(text, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(RunTool({"install-hack", saver_}).status, 0);
    EXPECT_EQ(Preferences(),
              "# mine\nmode:\t\trandom\nprograms:\t\\\n  maze -root \\n\\\n\t\t\t\t\"Sky show\" " +
                  copy_ + " --root\t\t\t    \\n\nlock:\tFalse\n");
    ASSERT_EQ(RunTool({"uninstall-hack", "Sky show"}).status, 0);
    EXPECT_EQ(Preferences(), text);
}

TEST_F(InstallHack, RemovingAnEntryKeepsTheChosenHackChosen) {
    // The daemon names the chosen hack by its position in the list.
    const std::string list = "programs:\t\\\n  maze --root \\n\\\n";
    const std::string end = "  star --root \\n\\\n\nlock:\tFalse\n";
    WritePreferences("selected:\t1\n" + list + end, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(RunTool({"install-hack", saver_}).status, 0);
    // Added last, so the others keep their positions; taken out of the middle, the chosen
    // hack after it moves up and stays chosen.
    std::string text = Preferences();
    text.replace(0, std::string("selected:\t1").size(), "selected:\t2");
    const std::string star = "  star --root \\n\\\n";
    const std::string entry = "\t\t\t\t\"Sky show\" " + copy_ + " --root\t\t\t    \\n\\\n";
    text.replace(text.find(entry), entry.size(), "");
    text.insert(text.find(star), entry);
    WritePreferences(text, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(RunTool({"uninstall-hack", "Sky show"}).status, 0);
    EXPECT_EQ(Preferences(), "selected:\t1\n" + list + end);
}

TEST_F(InstallHack, WithoutAListItChangesNothingAndSaysWhatToDo) {
    ToolResult result = RunTool({"install-hack", saver_});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("xscreensaver-settings"), std::string::npos) << result.output;
    EXPECT_FALSE(fs::exists(home_ + ".xscreensaver"));
    EXPECT_FALSE(fs::exists(copy_));

    // A file without programs: would make the daemon drop the system's whole list.
    const std::string text = "timeout:\t0:10:00\n";
    WritePreferences(text, fs::perms::owner_read | fs::perms::owner_write);
    result = RunTool({"install-hack", saver_});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("holds no programs: list"), std::string::npos) << result.output;
    EXPECT_EQ(Preferences(), text);
    EXPECT_FALSE(fs::exists(copy_));

    result = RunTool({"install-hack", dir_.File("sky.bmp")});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("no saver package found"), std::string::npos) << result.output;
}

TEST_F(InstallHack, APreferencesLinkStaysALinkAndAnOddPathIsQuoted) {
    const std::string kept = env_.Folder("dotfiles") + "xscreensaver";
    test::WriteTestFile(kept, DaemonFile);
    fs::create_symlink(kept, home_ + ".xscreensaver");
    // The copy's name loses its blank and quote; the data folder's blank needs quotes.
    env_.Set("XDG_DATA_HOME", env_.Root() + "my data");
    const std::string odd = dir_.File("Sky's show.scr");
    fs::copy_file(saver_, odd);
    ASSERT_EQ(RunTool({"install-hack", odd}).status, 0);
    EXPECT_TRUE(fs::is_symlink(home_ + ".xscreensaver"));
    const std::string copy = env_.Root() + "my data/lorvane/savers/Sky_s_show.scr";
    EXPECT_EQ(CountOf(test::ReadTestFile(kept), "\"Sky show\" '" + copy + "' --root"), 1u);
    ASSERT_EQ(RunTool({"uninstall-hack", "Sky show"}).status, 0);
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_EQ(test::ReadTestFile(kept), DaemonFile);
}

TEST_F(InstallHack, AnEntryTheSettingsProgramWrappedOverLinesGoesWhole) {
    // xscreensaver-settings rewrote this file after an install, wrapping the long entry of
    // "My sky" over two lines at the blank of its path.
    const std::string wrapped = test::ReadTestFile(std::string(LV_SOURCE_DIR) +
                                                   "/tests/tools/xscreensaver-6.06-wrapped.txt");
    const std::string lines =
        "\t\t      \"My sky\" \t'/tmp/i12-rt/home/data/lorvane/savers/My      \\\n"
        "\t\t\t\t  Sky.scr' --root\t\t\t    \\n\\\n";
    ASSERT_EQ(CountOf(wrapped, lines), 1u);
    std::string expected = wrapped;
    expected.erase(expected.find(lines), lines.size());

    WritePreferences(wrapped, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(RunTool({"install-hack", saver_, "--name", "My sky"}).status, 0);
    const std::string entry = "\t\t\t\t\"My sky\" " + copy_ + " --root\t\t\t    \\n\\\n";
    std::string replaced = wrapped;
    replaced.replace(replaced.find(lines), lines.size(), entry);
    EXPECT_EQ(Preferences(), replaced);

    WritePreferences(wrapped, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(RunTool({"uninstall-hack", "My sky"}).status, 0);
    EXPECT_EQ(Preferences(), expected);
}

}  // namespace
}  // namespace lv
