#include "gui/forms/form_definitions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/error.h"

namespace lv {
namespace {

// A definition file from its lines, joined with CR LF as the authoring tool writes it.
std::string FileOf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

FormDefinitions Load(const std::string& content) {
    FormDefinitions forms;
    forms.LoadFromText(content, "gui.lvu");
    return forms;
}

std::string ErrorOf(const std::string& content, size_t* loaded = nullptr) {
    FormDefinitions forms;
    try {
        forms.LoadFromText(content, "gui.lvu");
    } catch (const Error& e) {
        EXPECT_EQ(e.File(), "gui.lvu");
        if (loaded) *loaded = forms.Forms().size();
        return e.Message();
    }
    return "";
}

// Two records as the authoring tool writes them: a main window with two bindings (the
// example of the binding table's format) and a settings window with one.
const std::vector<std::string> TwoForms = {
    "2",
    "6",
    "object MainWindow: TfmForm",
    "  Caption = 'Main'",
    "  object CloseButton: TBitBtn",
    "    Tag = 3",
    "  end",
    "end",
    "11",
    "2",
    "CloseButton",
    "6",
    " ",
    " ",
    " ",
    "HomeLink",
    "0",
    "<Website>",
    "",
    "",
    "1",
    "Dummy",
    "2",
    "object Settings: TfmForm",
    "end",
    "6",
    "1",
    "CloseButton",
    "6",
    " ",
    " ",
    " ",
    "1",
    "Dummy",
};

TEST(LVForms, LoadsRecordsWithDescriptionsAndBindings) {
    const FormDefinitions forms = Load(FileOf(TwoForms));
    ASSERT_EQ(forms.Forms().size(), 2u);
    const FormDefinition& main = forms.Forms()[0];
    EXPECT_EQ(main.Name, "MainWindow");
    ASSERT_EQ(main.Lines.size(), 6u);
    EXPECT_EQ(main.Lines[1], "  Caption = 'Main'");  // kept untrimmed
    EXPECT_EQ(main.Description().substr(0, 28), "object MainWindow: TfmForm\r\n");
    const auto& actions = main.Actions.Actions();
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0].ComponentName, "CloseButton");
    EXPECT_EQ(actions[0].Kind, 6);
    EXPECT_EQ(actions[0].Param1, " ");
    EXPECT_EQ(actions[1].ComponentName, "HomeLink");
    EXPECT_EQ(actions[1].Kind, 0);
    EXPECT_EQ(actions[1].Param1, "<Website>");
    // Empty parameter lines become a single space, never an empty text.
    EXPECT_EQ(actions[1].Param2, " ");
    EXPECT_EQ(actions[1].Param3, " ");
    EXPECT_EQ(forms.Forms()[1].Name, "Settings");
    EXPECT_EQ(forms.Forms()[1].Actions.Actions().size(), 1u);
    EXPECT_EQ(main.FirstLine, 3);
    EXPECT_EQ(forms.Forms()[1].FirstLine, 24);
}

TEST(LVForms, AcceptsAnyLineEndAndIgnoresWhatFollowsTheLastRecord) {
    std::string lf;
    for (const auto& line : TwoForms) lf += line + "\n";
    std::string cr;
    for (const auto& line : TwoForms) cr += line + "\r";
    lf += "garbage after the records\n";
    EXPECT_EQ(Load(lf).Forms().size(), 2u);
    EXPECT_EQ(Load(cr).Forms()[1].Name, "Settings");
    // Without a final line break the last line still counts.
    std::string unterminated = FileOf(TwoForms);
    unterminated.resize(unterminated.size() - 2);
    EXPECT_EQ(Load(unterminated).Forms().size(), 2u);
}

TEST(LVForms, FindsTheFirstDefinitionOfANameInAnyLetterCase) {
    const FormDefinitions forms =
        Load(FileOf({"3", "2", "object mainwindow: TfmForm", "end", "1", "0", "0", "2",
                     "object MAINWINDOW: TfmForm", "end", "1", "0", "0", "2",
                     "object Other: TfmForm", "end", "1", "0", "0"}));
    const FormDefinition* found = forms.FindForm("MainWindow");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found, &forms.Forms()[0]);
    EXPECT_EQ(forms.FindForm("other"), &forms.Forms()[2]);
    EXPECT_EQ(forms.FindForm("Missing"), nullptr);
    EXPECT_EQ(forms.FindForm(""), nullptr);
    EXPECT_EQ(&forms.RequireForm("OTHER"), &forms.Forms()[2]);
}

TEST(LVForms, MissingMainWindowIsAClearError) {
    const FormDefinitions forms = Load(FileOf({"0"}));
    EXPECT_TRUE(forms.Forms().empty());
    try {
        forms.RequireForm("MainWindow");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), "no form definition named \"MainWindow\"");
        EXPECT_EQ(e.File(), "gui.lvu");
    }
    EXPECT_TRUE(Load(FileOf({"-3", "garbage"})).Forms().empty());
}

TEST(LVForms, TakesTheNameBetweenKeywordAndColon) {
    EXPECT_EQ(FormNameFromHeader("object MainWindow: TfmForm"), "MainWindow");
    EXPECT_EQ(FormNameFromHeader("  object   Sub Window :TForm"), "Sub Window");
    EXPECT_EQ(FormNameFromHeader("inherited Child: TForm"), "Child");
    EXPECT_EQ(FormNameFromHeader("object TForm"), "");
    EXPECT_EQ(FormNameFromHeader(""), "");
    const FormDefinitions forms = Load(FileOf({"1", "0", "0", "0"}));
    ASSERT_EQ(forms.Forms().size(), 1u);
    EXPECT_EQ(forms.Forms()[0].Name, "");
    EXPECT_TRUE(forms.Forms()[0].Lines.empty());
}

TEST(LVForms, BindingTablesOfEveryShape) {
    // M = 1 with the count 0: no bindings. M = 0: no bindings either. K = 0 and a long
    // trailer are both skipped.
    const FormDefinitions forms = Load(FileOf({"3",
                                               "1",
                                               "object A: TfmForm",
                                               "1",
                                               "0",
                                               "0",
                                               "1",
                                               "object B: TfmForm",
                                               "0",
                                               "4",
                                               "x",
                                               "y",
                                               "12",
                                               "",
                                               "1",
                                               "object C: TfmForm",
                                               "7",
                                               "1",
                                               "Link",
                                               "256",
                                               "  spaced  ",
                                               "",
                                               "",
                                               "extra line",
                                               "0"}));
    ASSERT_EQ(forms.Forms().size(), 3u);
    EXPECT_TRUE(forms.Forms()[0].Actions.Actions().empty());
    EXPECT_TRUE(forms.Forms()[1].Actions.Actions().empty());
    const ActionBinding* link = forms.Forms()[2].Actions.FindAction("LINK");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Kind, 256);
    EXPECT_EQ(link->Param1, "  spaced  ");  // parameters keep their blanks

    ActionBindings list;
    list.LoadBindings("");
    EXPECT_TRUE(list.Actions().empty());
    list.LoadBindings("-1");
    EXPECT_TRUE(list.Actions().empty());
    list.LoadBindings("2\r\ncloseButton\r\n6\r\na\r\nb\r\nc\r\nCLOSEBUTTON\r\n0\r\nd\r\ne\r\nf");
    ASSERT_EQ(list.Actions().size(), 2u);
    // Two bindings for one component: the first wins, whatever the letter case.
    EXPECT_EQ(list.FindAction("CloseButton")->Kind, 6);
    EXPECT_EQ(list.FindAction("Other"), nullptr);
    // Blanks and a plus sign around the count are accepted; a table too short for its count
    // is an error.
    try {
        list.LoadBindings(" +3 \n", "t.lvu", 10);
        FAIL() << "short table loaded";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), "line 10: expected 3 bindings of 5 lines, found 0 lines");
    }
}

TEST(LVForms, ActionNumbersSelectByTheirLowByte) {
    EXPECT_EQ(ActionKindOf(0), ActionKind::OpenDocument);
    EXPECT_EQ(ActionKindOf(256), ActionKind::OpenDocument);
    EXPECT_EQ(ActionKindOf(1), ActionKind::OpenWindow);
    EXPECT_EQ(ActionKindOf(2), ActionKind::NextPicture);
    EXPECT_EQ(ActionKindOf(3), ActionKind::PreviousPicture);
    EXPECT_EQ(ActionKindOf(4), ActionKind::PlayPicture);
    EXPECT_EQ(ActionKindOf(5), ActionKind::OpenSettings);
    EXPECT_EQ(ActionKindOf(6), ActionKind::CloseWindow);
    EXPECT_EQ(ActionKindOf(9), ActionKind::SetWallpaper);
    EXPECT_EQ(ActionKindOf(0x109), ActionKind::SetWallpaper);
    EXPECT_EQ(ActionKindOf(-256), ActionKind::OpenDocument);
    EXPECT_EQ(ActionKindOf(-1), ActionKind::None);
    for (const int kind : {7, 8, 10, 11, 255, 266})
        EXPECT_EQ(ActionKindOf(kind), ActionKind::None) << kind;
}

TEST(LVForms, BadCountsNameTheLine) {
    EXPECT_EQ(ErrorOf(FileOf({"two"})), "line 1: expected the number of forms, found 'two'");
    EXPECT_EQ(ErrorOf(FileOf({"$2"})), "line 1: expected the number of forms, found '$2'");
    EXPECT_EQ(ErrorOf(FileOf({"1"})),
              "line 2: expected the description's line count, found end of file");
    EXPECT_EQ(ErrorOf(FileOf({"1", "-1"})),
              "line 2: expected the description's line count, found '-1'");
    EXPECT_EQ(ErrorOf(FileOf({"1", "5", "object A: TfmForm", "end"})),
              "line 2: expected 5 description lines, found only 2");
    EXPECT_EQ(ErrorOf(FileOf({"1", "1", "object A: TfmForm"})),
              "line 4: expected the binding table's line count, found end of file");
    EXPECT_EQ(ErrorOf(FileOf({"1", "1", "object A: TfmForm", "99999999999"})),
              "line 4: expected the binding table's line count, found '99999999999'");
    EXPECT_EQ(ErrorOf(FileOf({"1", "1", "object A: TfmForm", "1", "0", "2", "Dummy"})),
              "line 6: expected 2 trailer lines, found only 1");
    EXPECT_EQ(ErrorOf(FileOf({"1", "1", "object A: TfmForm", "1", "0", "1"})),
              "line 6: expected 1 trailer lines, found end of file");
    EXPECT_EQ(ErrorOf(FileOf({"1", "1", "object A: TfmForm", "1", "", "0"})),
              "line 5: expected the number of bindings, found ' '");
    EXPECT_EQ(
        ErrorOf(FileOf({"1", "1", "object A: TfmForm", "6", "1", "Btn", "six", "", "", "", "0"})),
        "line 7: expected an action number, found 'six'");
    // A binding count larger than the table is refused before anything is allocated.
    EXPECT_EQ(ErrorOf(FileOf(
                  {"1", "1", "object A: TfmForm", "6", "2000000000", "Btn", "6", "", "", "", "0"})),
              "line 5: expected 2000000000 bindings of 5 lines, found 5 lines");
}

TEST(LVForms, KeepsTheDefinitionsBeforeABadRecord) {
    std::vector<std::string> lines = TwoForms;
    lines[0] = "3";
    lines.push_back("x");
    size_t loaded = 0;
    EXPECT_EQ(ErrorOf(FileOf(lines), &loaded),
              "line 35: expected the description's line count, found 'x'");
    EXPECT_EQ(loaded, 2u);
}

TEST(LVForms, LoadFromFileReplacesWhatWasLoaded) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("lv_forms_test_" +
                       std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".lvu");
    {
        std::ofstream out(path, std::ios::binary);
        out << FileOf({"1", "2", "object Only: TfmForm", "end", "1", "0", "0"});
    }
    FormDefinitions forms;
    forms.LoadFromText(FileOf(TwoForms), "other.lvu");
    forms.LoadFromFile(path.string());
    ASSERT_EQ(forms.Forms().size(), 1u);
    EXPECT_EQ(forms.Forms()[0].Name, "Only");
    EXPECT_EQ(forms.FileName(), path.string());
    std::filesystem::remove(path);
    try {
        forms.LoadFromFile(path.string());
        FAIL() << "missing file loaded";
    } catch (const Error& e) {
        EXPECT_EQ(e.File(), path.string());
    }
    EXPECT_TRUE(forms.Forms().empty());
}

}  // namespace
TEST(LVForms, EmptyFileHoldsNoDefinitions) {
    FormDefinitions forms;
    forms.LoadFromText("", "LVGUI.lvu");
    EXPECT_TRUE(forms.Forms().empty());
    forms.LoadFromText("\r\n  \r\n", "LVGUI.lvu");
    EXPECT_TRUE(forms.Forms().empty());
    EXPECT_THROW(forms.RequireForm("MainWindow"), Error);
}

}  // namespace lv
