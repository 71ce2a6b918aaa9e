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

TEST(CommandLine, HostOptionsAreAcceptedWithOneOrTwoDashesAndTheIdInlineOrApart) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"-window-id", "42"},
             {"--window-id", "0x2A"},
             {"-window-id=42"},
             {"--window-id=0x2a"},
             {"--root", "--window-id", "42"},  // the window id is the more exact target
         }) {
        const CommandLine line = ParseCommandLine(arguments);
        EXPECT_EQ(line.mode, RunMode::Show) << arguments[0];
        EXPECT_TRUE(line.showInHostWindow) << arguments[0];
        EXPECT_FALSE(line.showInRootWindow) << arguments[0];
        EXPECT_EQ(line.hostWindow, 42u) << arguments[0];
    }
    for (const char* root : {"-root", "--root"}) {
        const CommandLine line = ParseCommandLine({root});
        EXPECT_EQ(line.mode, RunMode::Show);
        EXPECT_TRUE(line.showInRootWindow);
    }
}

TEST(CommandLine, AnythingElseBesideHostOptionsIsAnUnknownSwitch) {
    const CommandLine extra = ParseCommandLine({"--root", "-fps"});
    EXPECT_EQ(extra.mode, RunMode::None);
    EXPECT_EQ(extra.unknownSwitch, "-fps");
    // Three dashes, upper case and a near name are not host options.
    EXPECT_EQ(ParseCommandLine({"---root"}).unknownSwitch, "---root");
    EXPECT_EQ(ParseCommandLine({"-ROOT"}).mode, RunMode::None);
    EXPECT_EQ(ParseCommandLine({"-window-idx=5"}).mode, RunMode::None);
    EXPECT_EQ(ParseCommandLine({"/x", "-p"}).unknownSwitch, "/x");
    EXPECT_TRUE(ParseCommandLine({"/s"}).unknownSwitch.empty());
}

TEST(CommandLine, HostWindowIdsThatNameNoWindowAreUsageErrors) {
    const std::vector<std::vector<std::string>> lines = {{"-window-id"},
                                                         {"--window-id", ""},
                                                         {"--window-id="},
                                                         {"-window-id", "0"},
                                                         {"-window-id=0x"},
                                                         {"-window-id", "-5"},
                                                         {"--root", "--window-id", "root"}};
    for (const auto& arguments : lines)
        EXPECT_THROW(ParseCommandLine(arguments), UsageError) << arguments.back();
}

TEST(CommandLine, EmptySaverWindowVariableCountsAsUnset) {
    EXPECT_EQ(SaverWindowFromEnvironment(nullptr), std::nullopt);
    EXPECT_EQ(SaverWindowFromEnvironment(""), std::nullopt);
    EXPECT_EQ(SaverWindowFromEnvironment("0x60000C"), std::optional<uint64_t>(0x60000C));
    EXPECT_THROW(SaverWindowFromEnvironment("screen"), UsageError);
    EXPECT_THROW(SaverWindowFromEnvironment("0"), UsageError);
}

TEST(CommandLine, HandleThatIsNotANumberIsRefused) {
    EXPECT_THROW(ParseWindowHandle(""), Error);
    EXPECT_THROW(ParseWindowHandle("12AB"), Error);
    EXPECT_THROW(ParseWindowHandle("0x"), Error);
    EXPECT_THROW(ParseWindowHandle("-5"), Error);
}

}  // namespace
}  // namespace lv
