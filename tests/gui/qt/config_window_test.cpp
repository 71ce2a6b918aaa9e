#include "gui/qt/config/config_window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "common/error.h"
#include "gui/qt/config_fixture.h"
#include "gui/qt/controls/preview_control.h"
#include "gui/qt/controls/thumbnail_list.h"

namespace lv {
namespace {

using test::Binding;
using test::ConfigFixture;

void Click(ConfigWindow& window, const char* name) {
    QWidget* widget = window.FindComponent(QString::fromLatin1(name));
    ASSERT_NE(widget, nullptr) << name;
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(2, 2));
}

ThumbnailList& Thumbs(ConfigWindow& window) {
    return *qobject_cast<ThumbnailList*>(window.FindComponent(QStringLiteral("Thumbs")));
}

std::string PreviewFile(ConfigWindow& window) {
    return qobject_cast<PreviewControl*>(window.FindComponent(QStringLiteral("Preview")))
        ->FileName();
}

TEST(ConfigWindow, NextAndPreviousStayWithinThePictureList) {
    ConfigFixture saver(3);
    saver.LoadForms(test::FormRecord(test::MainWindowLines({"NextButton", "PrevButton"}),
                                     {{"NextButton", 2}, {"PrevButton", 3}}),
                    1);
    saver.whileOpen = [&](ConfigWindow& window) {
        EXPECT_EQ(window.PictureIndex(), 0);
        Click(window, "PrevButton");
        EXPECT_EQ(window.PictureIndex(), 0);
        for (int i = 0; i < 4; ++i) Click(window, "NextButton");
        EXPECT_EQ(window.PictureIndex(), 2);
        EXPECT_EQ(PreviewFile(window), saver.project.FileList.Files[2]);
        Click(window, "PrevButton");
        EXPECT_EQ(window.PictureIndex(), 1);
        EXPECT_EQ(PreviewFile(window), saver.project.FileList.Files[1]);
        // A selection in the thumbnail list moves the current picture too.
        Thumbs(window).SetCurrentItem(2);
        EXPECT_EQ(window.PictureIndex(), 2);
    };
    saver.Show(" mainwindow ");
    EXPECT_EQ(saver.record.WindowsShown, std::vector<std::string>{"MainWindow"});
    EXPECT_NE(saver.Ini().find("Index=2\r\n"), std::string::npos) << saver.Ini();
}

TEST(ConfigWindow, BindingsRunByTheLowBitsOfTheirKindFirstBindingWinning) {
    ConfigFixture saver(4);
    saver.LoadForms(
        test::FormRecord(test::MainWindowLines({"WebLink", "Nothing", "Twice", "CloseLabel"}),
                         {{"weblink", 256, "<Website>/help"},
                          {"Nothing", 10},
                          {"Twice", 2},
                          {"TWICE", 3},
                          {"closelabel", 6},
                          {"Missing", 6}}),
        1);
    saver.whileOpen = [&](ConfigWindow& window) {
        Click(window, "WebLink");
        EXPECT_EQ(saver.record.OpenedUrls, std::vector<std::string>{"http://example.org/sky/help"});
        Click(window, "Nothing");
        Click(window, "Twice");
        Click(window, "Twice");
        EXPECT_EQ(window.PictureIndex(), 2);
        EXPECT_TRUE(window.isVisible());
        Click(window, "CloseLabel");
        EXPECT_FALSE(window.isVisible());
    };
    saver.Show("MainWindow");
    EXPECT_EQ(saver.record.OpenedUrls.size(), 1u);
    EXPECT_TRUE(saver.record.Messages.empty());
}

TEST(ConfigWindow, OpenDocumentRefusesProgramsAndTellsTheUserWhy) {
    ConfigFixture saver(1);
    saver.dir.Write("work/readme.txt", "Read me");
    saver.dir.Write("work/run.desktop", "[Desktop Entry]\nExec=xterm\n");
    saver.LoadForms(test::FormRecord(test::MainWindowLines({"Doc", "Entry"}),
                                     {{"Doc", 0, "readme.txt"}, {"Entry", 0, "run.desktop"}}),
                    1);
    saver.whileOpen = [&](ConfigWindow& window) {
        Click(window, "Doc");
        Click(window, "Entry");
    };
    saver.Show("MainWindow");
    ASSERT_EQ(saver.record.OpenedUrls.size(), 1u);
    EXPECT_EQ(saver.record.OpenedUrls[0].rfind("file://", 0), 0u);
    EXPECT_NE(saver.record.OpenedUrls[0].find("readme.txt"), std::string::npos);
    ASSERT_EQ(saver.record.Log.size(), 1u);
    EXPECT_NE(saver.record.Log[0].find("run.desktop"), std::string::npos);
    ASSERT_EQ(saver.record.Messages.size(), 1u);
    EXPECT_NE(saver.record.Messages[0].find("'run.desktop' is a program"), std::string::npos);
}

TEST(ConfigWindow, AWebSiteWithoutSchemeOpensOverHttps) {
    ConfigFixture saver(1);
    saver.project.Setting.Website = "example.org/sky";
    saver.LoadForms(test::FormRecord(test::MainWindowLines({"Home", "Www"}),
                                     {{"Home", 0, "<Website>"}, {"Www", 0, "www.example.org"}}),
                    1);
    saver.whileOpen = [&](ConfigWindow& window) {
        Click(window, "Home");
        Click(window, "Www");
    };
    saver.Show("MainWindow");
    EXPECT_EQ(saver.record.OpenedUrls,
              (std::vector<std::string>{"https://example.org/sky", "https://www.example.org"}));
    EXPECT_TRUE(saver.record.Messages.empty());
}

TEST(ConfigWindow, UntickedPicturesAreStoredAndShownAgain) {
    ConfigFixture saver(5);
    saver.LoadForms(test::FormRecord(test::MainWindowLines({}), {}), 1);
    saver.whileOpen = [&](ConfigWindow& window) {
        ThumbnailList& list = Thumbs(window);
        ASSERT_EQ(list.ItemCount(), 5);
        for (int i = 0; i < 5; ++i) EXPECT_TRUE(list.ItemChecked(i));
        list.SetItemChecked(3, false);
    };
    saver.Show("MainWindow");
    EXPECT_EQ(saver.Ini(), "[Setting]\r\nIndex=0\r\n[Files]\r\n3=\r\n");

    saver.whileOpen = [&](ConfigWindow& window) {
        ThumbnailList& list = Thumbs(window);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(list.ItemChecked(i), i != 3) << i;
        list.SetItemChecked(3, true);
        list.SetItemChecked(0, false);
    };
    saver.Show("MainWindow");
    EXPECT_EQ(saver.Ini(), "[Setting]\r\nIndex=0\r\n[Files]\r\n0=\r\n");
}

TEST(ConfigWindow, StoredIndexOpensOnItsPictureUnlessBeyondTheList) {
    ConfigFixture saver(5);
    saver.LoadForms(test::FormRecord(test::MainWindowLines({}), {}), 1);
    WriteFileAtomically(saver.IniPath(), "[Setting]\r\nIndex=4\r\n");
    saver.whileOpen = [&](ConfigWindow& window) {
        EXPECT_EQ(window.PictureIndex(), 4);
        EXPECT_EQ(Thumbs(window).CurrentItem(), 4);
        EXPECT_EQ(PreviewFile(window), saver.project.FileList.Files[4]);
    };
    saver.Show("MainWindow");

    WriteFileAtomically(saver.IniPath(), "[Setting]\r\nIndex=5\r\n");
    saver.whileOpen = [&](ConfigWindow& window) {
        EXPECT_EQ(window.PictureIndex(), 0);
        EXPECT_EQ(PreviewFile(window), saver.project.FileList.Files[0]);
    };
    saver.Show("MainWindow");
    EXPECT_EQ(saver.Ini(), "[Setting]\r\nIndex=0\r\n");
}

TEST(ConfigWindow, PlainProgramWithoutSlashCReadsAndWritesNothing) {
    ConfigFixture saver(5, "lvcsaver");
    const std::string stored = "[Setting]\r\nIndex=3\r\nImageSize=0\r\n[Files]\r\n1=\r\n";
    WriteFileAtomically(saver.IniPath(), stored);
    saver.project.Setting.Stretch = true;
    saver.LoadForms(test::FormRecord(test::MainWindowLines({"SettingsLabel", "Next"}),
                                     {{"SettingsLabel", 5}, {"Next", 2}}),
                    1);
    saver.settingsUser = [](SettingsDialog& dialog) {
        EXPECT_FALSE(dialog.btnOK->isEnabled());
        EXPECT_EQ(dialog.cbImageSize->currentIndex(), 1);  // the project's, not the file's
        return int(QDialog::Accepted);
    };
    saver.whileOpen = [&](ConfigWindow& window) {
        EXPECT_EQ(window.PictureIndex(), 0);
        EXPECT_TRUE(Thumbs(window).ItemChecked(1));
        Thumbs(window).SetItemChecked(2, false);
        Click(window, "Next");
        Click(window, "SettingsLabel");
    };
    saver.Show("MainWindow");
    EXPECT_EQ(saver.record.SettingsDialogs, 1);
    EXPECT_TRUE(saver.project.Setting.Stretch);
    EXPECT_EQ(saver.Ini(), stored);

    // The same program given "/C" uses the file.
    ConfigFixture withSwitch(5, "lvcsaver", "/c");
    withSwitch.LoadForms(test::FormRecord(test::MainWindowLines({}), {}), 1);
    withSwitch.Show("MainWindow");
    EXPECT_EQ(withSwitch.Ini(), "[Setting]\r\nIndex=0\r\n");
}

TEST(ConfigWindow, AWindowThatFailsToBuildWritesNothing) {
    ConfigFixture saver(2);
    saver.LoadForms(
        test::FormRecord(test::MainWindowLines({}), {}) +
            test::FormRecord({"object Broken: TfmForm", "  object X: TNoSuchClass", "  end", "end"},
                             {}),
        2);
    EXPECT_THROW(saver.Show("About"), Error);
    EXPECT_THROW(saver.Show("Broken"), Error);
    EXPECT_TRUE(saver.record.WindowsShown.empty());
    EXPECT_EQ(saver.Ini(), "<none>");
}

TEST(ConfigWindow, SubWindowOpensModallyAndSharesTheSettingsFile) {
    ConfigFixture saver(3);
    saver.LoadForms(test::FormRecord(test::MainWindowLines({"AboutLink", "Next"}),
                                     {{"AboutLink", 1, "About"}, {"Next", 2}}) +
                        test::FormRecord(test::MainWindowLines({"Next"}, "About"), {{"Next", 2}}) +
                        test::FormRecord(test::MainWindowLines({}, "Broken"), {}),
                    3);
    saver.whileOpen = [&](ConfigWindow& window) {
        Click(window, "Next");
        saver.whileOpen = [&](ConfigWindow& about) {
            EXPECT_EQ(about.PictureIndex(), 0);
            Click(about, "Next");
            Click(about, "Next");
        };
        Click(window, "AboutLink");
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.PictureIndex(), 1);
    };
    saver.Show("MainWindow");
    EXPECT_EQ(saver.record.WindowsShown, (std::vector<std::string>{"MainWindow", "About"}));
    // The main window closed last and stored its own picture.
    EXPECT_NE(saver.Ini().find("Index=1\r\n"), std::string::npos) << saver.Ini();
}

TEST(ConfigWindow, PlayShowsTheCurrentPictureAndNothingWithoutPictures) {
    ConfigFixture saver(3);
    saver.LoadForms(
        test::FormRecord(test::MainWindowLines({"Play", "Next"}), {{"Play", 4}, {"Next", 2}}), 1);
    saver.whileOpen = [&](ConfigWindow& window) {
        Click(window, "Next");
        Click(window, "Play");
    };
    saver.Show("MainWindow");
    EXPECT_EQ(saver.record.Played, std::vector<std::string>{saver.project.FileList.Files[1]});

    ConfigFixture empty(0);
    empty.LoadForms(test::FormRecord(test::MainWindowLines({"Play", "Next", "Wall"}),
                                     {{"Play", 4}, {"Next", 2}, {"Wall", 9}}),
                    1);
    empty.whileOpen = [&](ConfigWindow& window) {
        Click(window, "Next");
        Click(window, "Play");
        Click(window, "Wall");
        EXPECT_TRUE(empty.record.Questions.empty());
        EXPECT_EQ(window.PictureIndex(), 0);
    };
    empty.Show("MainWindow");
    EXPECT_TRUE(empty.record.Played.empty());
    EXPECT_TRUE(empty.record.Messages.empty());
}

TEST(ConfigWindow, OpeningShowsComponentsByTagAndMakesEditsEditable) {
    ConfigFixture saver(0);
    std::vector<std::string> lines = test::MainWindowLines({"Shown"});
    lines.insert(lines.end() - 1,
                 {"  object Hidden: TLabel", "    Tag = 2", "    Caption = 'x'", "  end",
                  "  object Edit: TEdit", "    Tag = 1", "    ReadOnly = True", "  end"});
    saver.LoadForms(test::FormRecord(lines, {}), 1);
    saver.whileOpen = [&](ConfigWindow& window) {
        EXPECT_TRUE(window.FindComponent("Shown")->isVisible());
        EXPECT_FALSE(window.FindComponent("Hidden")->isVisible());
        auto* edit = qobject_cast<QLineEdit*>(window.FindComponent("Edit"));
        ASSERT_NE(edit, nullptr);
        EXPECT_FALSE(edit->isReadOnly());
        // Without pictures the list stays empty and the preview blank.
        EXPECT_EQ(Thumbs(window).ItemCount(), 0);
        EXPECT_EQ(PreviewFile(window), "");
    };
    saver.Show("MainWindow");
    EXPECT_EQ(saver.Ini(), "[Setting]\r\nIndex=0\r\n");
}

TEST(ConfigWindow, WallpaperAfterConfirmationOnly) {
    ConfigFixture saver(2);
    saver.LoadForms(
        test::FormRecord(test::MainWindowLines({"Wall", "Next"}), {{"Wall", 9}, {"Next", 2}}), 1);
    const std::string bmp = saver.program + ".bmp";
    saver.answer = false;
    saver.whileOpen = [&](ConfigWindow& window) { Click(window, "Wall"); };
    saver.Show("MainWindow");
    ASSERT_EQ(saver.record.Questions.size(), 1u);
    EXPECT_EQ(saver.record.Questions[0],
              "You are about to set selected picture as a wallpaper.\r\nDo you want to proceed?");
    EXPECT_FALSE(std::filesystem::exists(bmp));
    EXPECT_TRUE(saver.record.Wallpapers.empty());

    saver.answer = true;
    saver.whileOpen = [&](ConfigWindow& window) {
        Click(window, "Next");
        Click(window, "Wall");
    };
    saver.Show("MainWindow");
    EXPECT_EQ(saver.record.Wallpapers, std::vector<std::string>{bmp});
    EXPECT_EQ(saver.record.Messages, std::vector<std::string>{"Wallpaper set."});
    const Bitmap32 written = DecodeBmp(ReadFileBytes(bmp), bmp);
    EXPECT_EQ(written.Width(), 9);  // picture 1 is 9 pixels wide

    // A picture that cannot be read is an error of the click; the window stays open.
    WriteFileAtomically(saver.project.FileList.Files[1], "broken");  // the stored current picture
    saver.whileOpen = [&](ConfigWindow& window) {
        Click(window, "Wall");
        EXPECT_TRUE(window.isVisible());
    };
    saver.Show("MainWindow");
    EXPECT_EQ(saver.record.Messages.size(), 2u);
    EXPECT_EQ(saver.record.Wallpapers.size(), 1u);
}

}  // namespace
}  // namespace lv
