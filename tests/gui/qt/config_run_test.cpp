// The configuration mode as the program runs it, with the shipped form definitions.
#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <filesystem>

#include "gui/qt/config_fixture.h"

namespace lv {
namespace {

using test::ConfigFixture;

// From the source folder: the compiler's name for this file may be relative to the build folder,
// and the tests run elsewhere.
const std::string DefaultForms =
    (std::filesystem::path(LV_SOURCE_DIR) / "data" / "default_forms.lvu").string();

void Click(ConfigWindow& window, const char* name) {
    QWidget* widget = window.FindComponent(QString::fromLatin1(name));
    ASSERT_NE(widget, nullptr) << name;
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, 4));
}

TEST(RunConfiguration, ShowsTheMainWindowAndAppliesTheUserSettings) {
    ConfigFixture saver(3);
    saver.forms.LoadFromFile(DefaultForms);
    WriteFileAtomically(saver.IniPath(), "[Setting]\r\nSpeed=0\r\nIndex=2\r\n");
    saver.whileOpen = [&](ConfigWindow& window) {
        EXPECT_EQ(window.PictureIndex(), 2);
        EXPECT_EQ(window.windowTitle(), "Sky Saver");
        Click(window, "PreviousButton");
    };
    saver.Show(MainWindowName);
    EXPECT_EQ(saver.project.Setting.Speed, 10);
    EXPECT_EQ(saver.record.WindowsShown, std::vector<std::string>{"MainWindow"});
    EXPECT_EQ(saver.Ini(), "[Setting]\r\nSpeed=0\r\nIndex=1\r\n");
}

TEST(RunConfiguration, ShippedWindowsRunTheirActions) {
    ConfigFixture saver(3);
    saver.forms.LoadFromFile(DefaultForms);
    saver.whileOpen = [&](ConfigWindow& window) {
        Click(window, "NextButton");
        Click(window, "PlayButton");
        Click(window, "WebsiteLink");
        Click(window, "SettingsButton");
        saver.whileOpen = [&](ConfigWindow& about) {
            EXPECT_EQ(about.windowTitle(), "About Sky Saver");
            Click(about, "AboutWebsiteLink");
            Click(about, "OkButton");
            EXPECT_FALSE(about.isVisible());
        };
        Click(window, "AboutButton");
        Click(window, "CloseButton");
        EXPECT_FALSE(window.isVisible());
    };
    saver.Show("MainWindow");
    EXPECT_EQ(saver.record.WindowsShown, (std::vector<std::string>{"MainWindow", "About"}));
    EXPECT_EQ(saver.record.Played, std::vector<std::string>{saver.project.FileList.Files[1]});
    EXPECT_EQ(saver.record.OpenedUrls,
              (std::vector<std::string>{"http://example.org/sky", "http://example.org/sky"}));
    EXPECT_EQ(saver.record.SettingsDialogs, 1);
    EXPECT_TRUE(saver.record.Messages.empty());
}

}  // namespace
}  // namespace lv
