#include <gtest/gtest.h>

#include "common/error.h"
#include "launcher/run_mode.h"

namespace lv {
namespace {

RunMode ModeOf(std::vector<std::string> arguments) { return ParseCommandLine(arguments).mode; }

TEST(CommandLine, ShowSwitchMatchesOnItsFirstTwoCharactersInAnyCase) {
    EXPECT_EQ(ModeOf({"/s"}), RunMode::Show);
    EXPECT_EQ(ModeOf({"/S"}), RunMode::Show);
    EXPECT_EQ(ModeOf({"/S:1234"}), RunMode::Show);
    EXPECT_EQ(ModeOf({"-s"}), RunMode::Show);
    EXPECT_EQ(ModeOf({"s"}), RunMode::Show);
}

TEST(CommandLine, OneLetterSwitchMatchesOnlyOnItsOwn) {
    EXPECT_EQ(ModeOf({"SX"}), RunMode::None);
    EXPECT_EQ(ModeOf({"/X"}), RunMode::None);
    EXPECT_EQ(ModeOf({"show"}), RunMode::None);
}

TEST(CommandLine, NoArgumentAndConfigurationSwitchesOpenTheConfiguration) {
    EXPECT_EQ(ModeOf({}), RunMode::Configuration);
    EXPECT_EQ(ModeOf({"/c:1234"}), RunMode::Configuration);
    EXPECT_EQ(ModeOf({"C"}), RunMode::Configuration);
}

TEST(CommandLine, PreviewAndPasswordCarryTheHandleText) {
    const CommandLine preview = ParseCommandLine({"/p", "4711"});
    EXPECT_EQ(preview.mode, RunMode::Preview);
    EXPECT_EQ(ParseWindowHandle(preview.handleText), 4711u);
    const CommandLine password = ParseCommandLine({"/a", "1234"});
    EXPECT_EQ(password.mode, RunMode::ChangePassword);
    EXPECT_EQ(password.handleText, "1234");
}

TEST(CommandLine, HostConventionsRunTheShowInAGivenWindow) {
    const CommandLine window = ParseCommandLine({"-window-id", "0x2a00007"});
    EXPECT_EQ(window.mode, RunMode::Show);
    EXPECT_TRUE(window.showInHostWindow);
    EXPECT_EQ(window.hostWindow, 0x2a00007u);
    EXPECT_TRUE(ParseCommandLine({"-root"}).showInRootWindow);
    EXPECT_THROW(ParseCommandLine({"-window-id"}), Error);
}

TEST(CommandLine, HandleThatIsNotANumberIsRefused) {
    EXPECT_THROW(ParseWindowHandle(""), Error);
    EXPECT_THROW(ParseWindowHandle("12AB"), Error);
    EXPECT_THROW(ParseWindowHandle("0x"), Error);
    EXPECT_THROW(ParseWindowHandle("-5"), Error);
}

}  // namespace
}  // namespace lv
