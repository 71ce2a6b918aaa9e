#include "gui/forms/form_prepare.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/error.h"
#include "gui/forms/action_dispatch.h"

namespace lv {
namespace {

const FormPlaceholders Project{"Sky Saver", "Blue Works", "http://example.org/sky"};

FormDefinition FormOf(const std::string& name, std::vector<std::string> lines) {
    FormDefinition form;
    form.Name = name;
    form.Lines = std::move(lines);
    return form;
}

TEST(FormPrepare, RewritesTheHeaderAndDropsEventAndFrameLines) {
    const FormDefinition form = FormOf("MainWindow", {
                                                         "object MainWindow: TfmForm",
                                                         "  Left = 259",
                                                         "  BorderIcons = [biSystemMenu]",
                                                         "  borderstyle = bsSingle",
                                                         "  FormStyle = fsStayOnTop",
                                                         "  OnShow = FormShow",
                                                         "  OnlineHelp = 1",
                                                         "  On = 2",
                                                         "  On_Load = 3",
                                                         "  ONCLICK = 4",
                                                         "  object Panel1: TPanel",
                                                         "    BorderStyle = bsSingle",
                                                         "    OnMouseDown = BindResizer",
                                                         "    OnClick = Foo",
                                                         "  end",
                                                         "end  ",
                                                     });
    EXPECT_EQ(FilterDescriptionLines(form),
              (std::vector<std::string>{"object MainWindow: TfmLVConfigWindow", "Left = 259",
                                        "OnlineHelp = 1", "ONCLICK = 4", "object Panel1: TPanel",
                                        "end", "end"}));
    // The definition itself keeps its lines as read.
    EXPECT_EQ(form.Lines[1], "  Left = 259");
}

TEST(FormPrepare, DropsOnlyTheFirstVisibleLineOfTheText) {
    const FormDefinition withWindowLine =
        FormOf("W", {"object W: TForm", "  Visible = False", "  object A: TLabel",
                     "    Visible = True", "  end", "end"});
    EXPECT_EQ(FilterDescriptionLines(withWindowLine),
              (std::vector<std::string>{"object W: TfmLVConfigWindow", "object A: TLabel",
                                        "Visible = True", "end", "end"}));
    // Without a window line, the first component's Visible line goes instead; a later one
    // stays, and the lines after it are still filtered.
    const FormDefinition withoutWindowLine = FormOf(
        "W", {"object W: TForm", "  object A: TLabel", "    VISIBLE = False", "  end",
              "  object B: TLabel", "    Visible = False", "    OnClick = X", "  end", "end"});
    EXPECT_EQ(FilterDescriptionLines(withoutWindowLine),
              (std::vector<std::string>{"object W: TfmLVConfigWindow", "object A: TLabel", "end",
                                        "object B: TLabel", "Visible = False", "end", "end"}));
    EXPECT_TRUE(FilterDescriptionLines(FormOf("W", {})).empty());
}

TEST(FormPrepare, ReplacesPlaceholdersInOnePass) {
    EXPECT_EQ(
        ReplacePlaceholders("<ScreensaverName> by <CompanyName>: <Website>, <Website>", Project),
        "Sky Saver by Blue Works: http://example.org/sky, http://example.org/sky");
    EXPECT_EQ(ReplacePlaceholders("<website> <SCREENSAVERNAME> <Website <<Website>>", Project),
              "<website> <SCREENSAVERNAME> <Website <http://example.org/sky>");
    EXPECT_EQ(ReplacePlaceholders("", Project), "");
    // Inserted text is not searched again.
    const FormPlaceholders odd{"<Website>", "", "site"};
    EXPECT_EQ(ReplacePlaceholders("<ScreensaverName><CompanyName>|", odd), "<Website>|");
}

TEST(FormPrepare, PreparesATreeWithPlaceholdersReplacedInsideStrings) {
    const FormDefinition form =
        FormOf("MainWindow", {
                                 "object MainWindow: TfmForm",
                                 "  Caption = '<ScreensaverName> Configuration'",
                                 "  Visible = False",
                                 "  object Link: TLabel",
                                 "    Tag = 3",
                                 "    Caption = 'Visit <Web' +",
                                 "      'site>'",
                                 "    OnClick = LinkClick",
                                 "  end",
                                 "  object Box: TMyMemo",
                                 "    Lines.Strings = ('<CompanyName>' '<Website>')",
                                 "    Items = <",
                                 "      item",
                                 "        Text = '(c) <CompanyName>'",
                                 "      end>",
                                 "  end",
                                 "end",
                             });
    const FormPlaceholders quoted{"Bob's #1 Saver", "Blue 'Works'", "x"};
    const ComponentNode tree = PrepareFormTree(form, quoted, "gui.lvu");
    EXPECT_EQ(tree.ClassName, "TfmLVConfigWindow");
    EXPECT_EQ(tree.FindProperty("Caption")->Value.Text, "Bob's #1 Saver Configuration");
    EXPECT_EQ(tree.FindProperty("Visible"), nullptr);
    const ComponentNode& link = tree.Children[0];
    EXPECT_EQ(link.FindProperty("Caption")->Value.Text, "Visit x");
    EXPECT_EQ(link.FindProperty("OnClick"), nullptr);
    const ComponentNode& box = tree.Children[1];
    EXPECT_EQ(box.FindProperty("Lines.Strings")->Value.List[0].Text, "Blue 'Works'");
    EXPECT_EQ(box.FindProperty("Items")->Value.Items[0].Properties[0].Value.Text,
              "(c) Blue 'Works'");
}

// The message of the error preparing the only definition of a file raises.
std::string PrepareErrorOf(const std::vector<std::string>& description) {
    std::string file = "1\r\n" + std::to_string(description.size()) + "\r\n";
    for (const auto& line : description) file += line + "\r\n";
    file += "1\r\n0\r\n0\r\n";
    FormDefinitions forms;
    forms.LoadFromText(file, "gui.lvu");
    try {
        PrepareFormTree(forms.Forms()[0], Project, "gui.lvu");
    } catch (const Error& e) {
        EXPECT_EQ(e.File(), "gui.lvu");
        return e.Message();
    }
    return "";
}

TEST(FormPrepare, RefusesUnknownClassesNamingTheLineOfTheFile) {
    // The description starts on line 3 of the file; removed lines still count.
    EXPECT_EQ(PrepareErrorOf({"object W: TfmForm", "  OnShow = FormShow", "  Visible = False",
                              "  object P: TPANEL", "    OnClick = Foo",
                              "    object G: TStringGrid", "    end", "  end", "end"}),
              "line 8: unknown component class 'TStringGrid'");
    EXPECT_EQ(PrepareErrorOf({"object W: TfmForm", "  BorderStyle = bsNone", "  Left 1", "end"}),
              "line 5: expected '=', found '1'");
    EXPECT_EQ(PrepareErrorOf({"object W: TfmForm", "  object P: TPanel", "  end", "end"}), "");
}

TEST(FormPrepare, TagBitZeroDecidesVisibilityExceptForTabSheets) {
    EXPECT_EQ(VisibleByTag(ComponentClass::Label, 3), true);
    EXPECT_EQ(VisibleByTag(ComponentClass::Label, 2), false);
    EXPECT_EQ(VisibleByTag(ComponentClass::Label, -1), true);
    EXPECT_EQ(VisibleByTag(ComponentClass::Panel, 0), false);
    EXPECT_EQ(VisibleByTag(ComponentClass::TabSheet, 0), std::nullopt);
    const ComponentNode node = ParseComponentText("object A: TLabel\n Tag = 3\n Tag = 4\nend", "t");
    EXPECT_EQ(ComponentTag(node), 4);
    EXPECT_EQ(ComponentTag(ParseComponentText("object A: TLabel end", "t")), 0);
}

TEST(FormPrepare, BaseFormFlagsGiveTheWindowFrame) {
    const auto flagsOf = [](const std::string& lines) {
        return ReadBaseFormFlags(ParseComponentText("object W: TForm\n" + lines + "end", "g.lvu"),
                                 "g.lvu");
    };
    const WindowFrame plain = FrameOf(flagsOf(""));
    EXPECT_EQ(plain.Border, WindowBorder::Single);
    EXPECT_FALSE(plain.SystemMenu || plain.MaximizeBox || plain.MinimizeBox || plain.Maximized);
    EXPECT_EQ(FrameOf(flagsOf("NoFrame = True\nSizeable = True\n")).Border, WindowBorder::None);
    EXPECT_EQ(FrameOf(flagsOf("Sizeable = TRUE\n")).Border, WindowBorder::Sizeable);
    EXPECT_EQ(FrameOf(flagsOf("Sizeable = True\nSizeable = False\n")).Border, WindowBorder::Single);
    const WindowFrame full =
        FrameOf(flagsOf("ShowButtons = True\nMaximizeButton = True\nminimizebutton = "
                        "True\nMaximizeOnShow = True\n"));
    EXPECT_TRUE(full.SystemMenu && full.MaximizeBox && full.MinimizeBox && full.Maximized);
    try {
        flagsOf("Left = 1\nNoFrame = 1\n");
        FAIL() << "a number taken as a flag";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), "line 3: expected True or False for NoFrame");
    }
}

TEST(FormPrepare, ClickResolvesTheFirstBindingWithParametersFilledIn) {
    FormDefinitions forms;
    forms.LoadFromText(
        "2\r\n2\r\nobject mainwindow: TfmForm\r\nend\r\n16\r\n3\r\n"
        "closebutton\r\n6\r\n\r\n\r\n\r\n"
        "HomeLink\r\n256\r\n<Website>/help\r\n<CompanyName>\r\n\r\n"
        "CloseButton\r\n0\r\nnot this one\r\n\r\n\r\n"
        "1\r\nDummy\r\n"
        "2\r\nobject Odd: TfmForm\r\nend\r\n6\r\n1\r\nX\r\n10\r\n\r\n\r\n\r\n0\r\n",
        "gui.lvu");
    const auto close = ResolveClick(forms, "MainWindow", "CloseButton", Project);
    ASSERT_TRUE(close.has_value());
    EXPECT_EQ(close->Kind, ActionKind::CloseWindow);
    EXPECT_EQ(close->Param1, " ");
    const auto home = ResolveClick(forms, "MAINWINDOW", "homelink", Project);
    ASSERT_TRUE(home.has_value());
    EXPECT_EQ(home->Kind, ActionKind::OpenDocument);
    EXPECT_EQ(home->Param1, "http://example.org/sky/help");
    EXPECT_EQ(home->Param2, "Blue Works");
    EXPECT_FALSE(ResolveClick(forms, "MainWindow", "Unbound", Project).has_value());
    EXPECT_EQ(ResolveClick(forms, "Odd", "X", Project)->Kind, ActionKind::None);
    try {
        ResolveClick(forms, "Gone", "X", Project);
        FAIL() << "window without definition";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), "no form definition named \"Gone\"");
    }
}

}  // namespace
}  // namespace lv
