#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "gui/win32/controls/drawn_control.h"
#include "gui/win32/controls/thumbnail_grid.h"
#include "support/win32/win32_config_fixture.h"

namespace lv {
namespace {

using test::ClickWindow;
using test::ComponentWindow;
using test::RunSoon;
using test::Win32ConfigFixture;

// The Settings dialog as the user meets it: found on the screen, changed, left with a button.
void AnswerSettingsDialog(std::function<void(HWND dialog)> user) {
    RunSoon([user] {
        HWND dialog = FindWindowA(SettingsDialogClassName, nullptr);
        ASSERT_NE(dialog, nullptr);
        user(dialog);
    });
}

void SetControls(HWND dialog) {
    SendMessageA(GetDlgItem(dialog, ImageSizeId), CB_SETCURSEL, 2, 0);
    SendMessageA(GetDlgItem(dialog, ShowImageModeId), CB_SETCURSEL, 3, 0);
    SendMessageA(GetDlgItem(dialog, SpeedId), TBM_SETPOS, TRUE, 20);
    SendMessageA(GetDlgItem(dialog, SoundId), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(GetDlgItem(dialog, MusicId), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(GetDlgItem(dialog, TransitionId), BM_SETCHECK, BST_CHECKED, 0);
    SetWindowTextA(GetDlgItem(dialog, DurationId), "5");
}

void Press(HWND dialog, int button) {
    SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
}

TEST(Win32ConfigWindow, SettingsOkWritesTheSevenKeysInOrderAndCloseWritesIndex) {
    Win32ConfigFixture saver;
    saver.LoadForms(test::FormRecord(test::MainWindowLines({"SettingsLabel", "Next"}),
                                     {{"SettingsLabel", 5}, {"Next", 2}}),
                    1);
    saver.Show("MainWindow", [&](Win32ConfigWindow& window) {
        AnswerSettingsDialog([](HWND dialog) {
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
            SetControls(dialog);
            Press(dialog, IDOK);
        });
        ClickWindow(ComponentWindow(window, "SettingsLabel"));
        EXPECT_EQ(saver.Ini(),
                  "[Setting]\r\nImageSize=2\r\nImageMode=3\r\nSpeed=20\r\nSound=1\r\n"
                  "Music=0\r\nTransition=1\r\nDuration=5\r\n");
        ClickWindow(ComponentWindow(window, "Next"));
    });
    EXPECT_EQ(saver.Ini(),
              "[Setting]\r\nImageSize=2\r\nImageMode=3\r\nSpeed=20\r\nSound=1\r\n"
              "Music=0\r\nTransition=1\r\nDuration=5\r\nIndex=1\r\n");
    // The next window starts from what was stored.
    saver.Show("MainWindow", [](Win32ConfigWindow& window) {
        EXPECT_EQ(window.PictureIndex(), 1);
    });
    EXPECT_EQ(saver.project.Setting.Speed, 500);
    EXPECT_FALSE(saver.project.Setting.Music);
}

TEST(Win32ConfigWindow, SettingsCancelAndAnUnusableFileStoreNothing) {
    Win32ConfigFixture saver;
    saver.LoadForms(test::FormRecord(test::MainWindowLines({"SettingsLabel"}),
                                     {{"SettingsLabel", 5}}),
                    1);
    saver.Show("MainWindow", [&](Win32ConfigWindow& window) {
        AnswerSettingsDialog([](HWND dialog) {
            SetControls(dialog);
            Press(dialog, IDCANCEL);
        });
        ClickWindow(ComponentWindow(window, "SettingsLabel"));
        EXPECT_EQ(saver.Ini(), "<none>");
    });

    // A plain engine file without /C keeps its hands off the settings file: OK is disabled and
    // Enter does not store either.
    Win32ConfigFixture engine(5, "lvcsaver.exe");
    engine.LoadForms(test::FormRecord(test::MainWindowLines({"SettingsLabel"}),
                                      {{"SettingsLabel", 5}}),
                     1);
    engine.Show("MainWindow", [&](Win32ConfigWindow& window) {
        AnswerSettingsDialog([](HWND dialog) {
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            Press(dialog, IDCANCEL);
        });
        ClickWindow(ComponentWindow(window, "SettingsLabel"));
    });
    EXPECT_EQ(engine.Ini(), "<none>");
}

TEST(Win32ConfigWindow, AnIntervalOutsideItsRangeIsKeptWithinIt) {
    for (const auto& [typed, stored] :
         {std::pair{"2", "Duration=5"}, {"123456789012", "Duration=9999"}, {"", "Duration=5"}}) {
        Win32ConfigFixture saver;
        saver.LoadForms(test::FormRecord(test::MainWindowLines({"SettingsLabel"}),
                                         {{"SettingsLabel", 5}}),
                        1);
        saver.Show("MainWindow", [&, typed = typed](Win32ConfigWindow& window) {
            AnswerSettingsDialog([typed](HWND dialog) {
                SetWindowTextA(GetDlgItem(dialog, DurationId), typed);
                Press(dialog, IDOK);
            });
            ClickWindow(ComponentWindow(window, "SettingsLabel"));
        });
        EXPECT_NE(saver.Ini().find(stored), std::string::npos) << typed << ": " << saver.Ini();
    }
}

TEST(Win32ConfigWindow, OpensWithThumbnailsAndPreviewAndStoresUntickedPictures) {
    Win32ConfigFixture saver;
    WriteFileAtomically(saver.IniPath(), "[Setting]\r\nIndex=3\r\n[Files]\r\n1=\r\n");
    saver.LoadForms(test::FormRecord(test::MainWindowLines({"Prev"}), {{"Prev", 3}}), 1);
    saver.Show("MainWindow", [&](Win32ConfigWindow& window) {
        EXPECT_EQ(window.PictureIndex(), 3);
        ThumbnailGrid* grid = ThumbnailGridOf(ComponentWindow(window, "Thumbs"));
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(grid->ItemCount(), 5);
        EXPECT_EQ(grid->Title(2), "p2.bmp");
        EXPECT_FALSE(grid->ItemChecked(1));
        EXPECT_TRUE(grid->ItemChecked(0));
        EXPECT_EQ(grid->CurrentItem(), 3);

        // The preview holds the current picture at the control's size.
        const DrawnControl* preview = DrawnControlOf(ComponentWindow(window, "Preview"));
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->Picture.Width(), 80);
        EXPECT_EQ(preview->Picture.Height(), 60);

        // A click in picture 4's check box unticks it and makes it current.
        const RECT cell = grid->CellRect(4);
        const int x = cell.left + 15;
        const int y = cell.top + grid->PictureHeight + 8;
        SendMessageA(ComponentWindow(window, "Thumbs"), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(x, y));
        EXPECT_FALSE(grid->ItemChecked(4));
        EXPECT_EQ(window.PictureIndex(), 4);
        ClickWindow(ComponentWindow(window, "Prev"));
        EXPECT_EQ(window.PictureIndex(), 3);
    });
    EXPECT_EQ(saver.Ini(), "[Setting]\r\nIndex=3\r\n[Files]\r\n1=\r\n4=\r\n");
}

TEST(Win32ConfigWindow, OpenDocumentHandsOnlySafeTargetsToTheShell) {
    Win32ConfigFixture saver;
    saver.dir.Write("work/setup.exe", "MZ program");
    saver.dir.Write("work/readme.txt", "hello");
    saver.LoadForms(test::FormRecord(test::MainWindowLines({"Site", "Readme", "Setup", "Cmd"}),
                                     {{"Site", 0, "<Website>"},
                                      {"Readme", 0, "readme.txt"},
                                      {"Setup", 0, "setup.exe"},
                                      {"Cmd", 0, "file:///C:/Windows/system32/cmd.exe"}}),
                    1);
    saver.Show("MainWindow", [](Win32ConfigWindow& window) {
        for (const char* name : {"Site", "Readme", "Setup", "Cmd"})
            ClickWindow(ComponentWindow(window, name));
    });
    ASSERT_EQ(saver.record.Opened.size(), 2u);
    EXPECT_EQ(saver.record.Opened[0], "http://example.org/sky");
    EXPECT_EQ(std::filesystem::path(saver.record.Opened[1]).filename(), "readme.txt");
    ASSERT_EQ(saver.record.Messages.size(), 2u);
    EXPECT_NE(saver.record.Messages[0].find("setup.exe"), std::string::npos);
    EXPECT_NE(saver.record.Messages[1].find("only http, https and mailto"), std::string::npos);
}

TEST(Win32ConfigWindow, WallpaperIsWrittenBesideTheProgramAfterConfirmation) {
    Win32ConfigFixture saver;
    saver.LoadForms(test::FormRecord(test::MainWindowLines({"Paper"}), {{"Paper", 9}}), 1);
    saver.answer = false;
    saver.Show("MainWindow", [](Win32ConfigWindow& window) {
        ClickWindow(ComponentWindow(window, "Paper"));
    });
    EXPECT_FALSE(std::filesystem::exists(saver.program + ".bmp"));
    EXPECT_TRUE(saver.record.Wallpapers.empty());

    saver.answer = true;
    saver.Show("MainWindow", [](Win32ConfigWindow& window) {
        ClickWindow(ComponentWindow(window, "Paper"));
    });
    EXPECT_EQ(saver.record.Questions.size(), 2u);
    ASSERT_EQ(saver.record.Wallpapers.size(), 1u);
    EXPECT_EQ(saver.record.Wallpapers[0], saver.program + ".bmp");
    EXPECT_EQ(ReadFileBytes(saver.program + ".bmp").substr(0, 2), "BM");
    EXPECT_EQ(saver.record.Messages, std::vector<std::string>{"Wallpaper set."});
}

TEST(Win32ConfigWindow, OpenWindowRunsTheOtherDefinitionAndCloseEndsOnlyIt) {
    Win32ConfigFixture saver;
    const std::vector<std::string> about = {"object About: TfmForm", "  Caption = 'About'",
                                            "  object Ok: TLabel",   "    Tag = 1",
                                            "    Caption = 'OK'",    "  end",
                                            "end"};
    saver.LoadForms(test::FormRecord(test::MainWindowLines({"AboutLabel", "Play"}),
                                     {{"AboutLabel", 1, "About"}, {"Play", 4}}) +
                        test::FormRecord(about, {{"Ok", 6}}),
                    2);
    bool aboutShown = false;
    saver.Show("MainWindow", [&](Win32ConfigWindow& window) {
        RunSoon([&] {
            // The other window is up and the first one waits for it.
            HWND aboutWindow = FindWindowA(nullptr, "About");
            ASSERT_NE(aboutWindow, nullptr);
            aboutShown = IsWindowVisible(aboutWindow) && !IsWindowEnabled(window.Handle());
            HWND ok = FindWindowExA(aboutWindow, nullptr, "STATIC", "OK");
            ASSERT_NE(ok, nullptr);
            ClickWindow(ok);
        });
        ClickWindow(ComponentWindow(window, "AboutLabel"));
        EXPECT_TRUE(window.Form().Running());
        EXPECT_TRUE(IsWindowEnabled(window.Handle()));
        EXPECT_EQ(FindWindowA(nullptr, "About"), nullptr);
        ClickWindow(ComponentWindow(window, "Play"));
    });
    EXPECT_TRUE(aboutShown);
    EXPECT_EQ(saver.record.Played, std::vector<std::string>{saver.project.FileList.Files[0]});
}

}  // namespace
}  // namespace lv
