#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/error.h"
#include "gui/forms/form_definitions.h"
#include "gui/win32/controls/drawn_control.h"
#include "gui/win32/forms/win32_component_properties.h"
#include "gui/win32/forms/win32_form_builder.h"
#include "gui/win32/forms/win32_form_window.h"
#include "project/project.h"
#include "support/form_records.h"

namespace lv {
namespace {

class Win32FormBuilderTest : public ::testing::Test {
protected:
    void Build(const std::vector<std::string>& lines) {
        forms.LoadFromText("1\r\n" + test::FormRecord(lines, {}), "test.lvu");
        BuildWin32Form(window, forms, project, "MainWindow");
    }
    HWND Window(const std::string& name) {
        const auto* component = window.FindComponent(name);
        EXPECT_NE(component, nullptr) << name;
        return component ? component->Window : nullptr;
    }
    bool Visible(const std::string& name) {
        return (GetWindowLongA(Window(name), GWL_STYLE) & WS_VISIBLE) != 0;
    }

    Project project;
    FormDefinitions forms;
    Win32FormWindow window;
};

TEST_F(Win32FormBuilderTest, BuildsNestedComponentsWithTheirTextPlaceAndVisibility) {
    project.Setting.ProductName = "Sky Saver";
    Build({"object MainWindow: TfmForm", "  Caption = '<ScreensaverName>'",
           "  ClientWidth = 320", "  ClientHeight = 200",
           "  object Header: TPanel", "    Tag = 1", "    Left = 10", "    Top = 20",
           "    Width = 150", "    Height = 60", "    BevelOuter = bvLowered",
           "    object Title: TLabel", "      Tag = 1", "      Left = 4", "      Top = 5",
           "      Caption = 'A&&B'", "    end",
           "  end",
           "  object Hidden: TButton", "    Caption = 'Not shown'", "  end",
           "  object Box: TCheckBox", "    Tag = 3", "    Caption = 'Tick'", "    Checked = True",
           "  end",
           "  object Line: TMyBevel", "    Tag = 1", "    Shape = bsTopLine", "  end",
           "end"});
    EXPECT_EQ(WindowTextOf(window.Handle()), "Sky Saver");
    RECT client;
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 200);

    const RECT header = PlaceOf(Window("Header"));
    EXPECT_EQ(header.left, 10);
    EXPECT_EQ(header.top, 20);
    EXPECT_EQ(header.right - header.left, 150);
    EXPECT_EQ(DrawnControlOf(Window("Header"))->BevelOuter, PanelBevel::Lowered);
    EXPECT_EQ(GetParent(Window("Title")), Window("Header"));
    EXPECT_EQ(WindowTextOf(Window("Title")), "A&&B");
    // A label sizes itself to its text unless told otherwise.
    const RECT title = PlaceOf(Window("Title"));
    EXPECT_GT(title.right - title.left, 0);
    EXPECT_LT(title.right - title.left, 100);

    // Bit 0 of Tag decides what the window shows.
    EXPECT_TRUE(Visible("Header"));
    EXPECT_FALSE(Visible("Hidden"));
    EXPECT_TRUE(Visible("Box"));
    EXPECT_EQ(SendMessageA(Window("Box"), BM_GETCHECK, 0, 0), BST_CHECKED);
    // A component that sets no size gets its class's default one.
    const RECT line = PlaceOf(Window("Line"));
    EXPECT_EQ(line.right - line.left, 50);
}

TEST_F(Win32FormBuilderTest, TabSheetsBecomeTabsOfTheirPageControl) {
    Build({"object MainWindow: TfmForm", "  object Pages: TPageControl", "    Tag = 1",
           "    ActivePage = Second", "    object First: TTabSheet", "      Caption = 'One'",
           "    end", "    object Second: TTabSheet", "      Caption = 'Two'", "    end",
           "  end", "end"});
    HWND pages = Window("Pages");
    ASSERT_EQ(TabCtrl_GetItemCount(pages), 2);
    char text[16] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    TabCtrl_GetItem(pages, 1, &item);
    EXPECT_STREQ(text, "Two");
    EXPECT_EQ(TabCtrl_GetCurSel(pages), 1);
    EXPECT_FALSE(Visible("First"));
    EXPECT_TRUE(Visible("Second"));
}

TEST_F(Win32FormBuilderTest, OnlyClassesThatTakeBindingsReportClicks) {
    Build({"object MainWindow: TfmForm", "  object Plain: TButton", "    Tag = 1", "  end",
           "  object Glyph: TBitBtn", "    Tag = 1", "  end", "  object Link: TLabel",
           "    Tag = 1", "    Caption = 'Go'", "  end", "  object Picture: TImage",
           "    Tag = 1", "  end", "end"});
    std::vector<std::string> clicked;
    window.ComponentClicked = [&](const std::string& name) { clicked.push_back(name); };
    for (const char* name : {"Plain", "Glyph", "Link", "Picture"}) {
        HWND control = Window(name);
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    EXPECT_EQ(clicked, (std::vector<std::string>{"Glyph", "Link", "Picture"}));
}

// A bevel framing a picture is made first, yet the picture must show above it.
TEST_F(Win32FormBuilderTest, BevelsAndShapesLieBeneathTheControlsTheyFrame) {
    Build({"object MainWindow: TfmForm", "  object Frame: TMyBevel", "    Tag = 1",
           "    Width = 100", "    Height = 100", "    Shape = bsFrame", "  end",
           "  object Picture: TLVPreview", "    Tag = 1", "    Left = 1", "    Top = 1",
           "    Width = 98", "    Height = 98", "  end", "  object Mark: TShape", "    Tag = 1",
           "  end", "end"});
    std::vector<HWND> topFirst;
    for (HWND child = GetWindow(window.Handle(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT))
        topFirst.push_back(child);
    EXPECT_EQ(topFirst, (std::vector<HWND>{Window("Picture"), Window("Mark"), Window("Frame")}));
}

TEST_F(Win32FormBuilderTest, AValueThatDoesNotFitNamesTheFileLineAndProperty) {
    try {
        Build({"object MainWindow: TfmForm", "  object Box: TCheckBox", "    Checked = Maybe",
               "  end", "end"});
        FAIL() << "built";
    } catch (const Error& error) {
        EXPECT_EQ(error.File(), "test.lvu");
        EXPECT_NE(error.Message().find("line 5: Checked: expected True or False"),
                  std::string::npos)
            << error.Message();
    }
}

}  // namespace
}  // namespace lv
