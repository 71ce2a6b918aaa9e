// The form definitions shipped for savers whose author gives none, and lvtool packing them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "common/file_util.h"
#include "gui/forms/form_definitions.h"
#include "gui/forms/form_prepare.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

const std::string DefaultFormsPath = std::string(LV_SOURCE_DIR) + "/data/default_forms.lvu";

TEST(DefaultForms, LoadWithBindingsForEveryAction) {
    const std::string text = ReadFileBytes(DefaultFormsPath);
    // Definition files are CR LF text, as the authoring tool writes them.
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "offset " << i;
        }
    }

    FormDefinitions forms;
    forms.LoadFromFile(DefaultFormsPath);
    ASSERT_EQ(forms.Forms().size(), 2u);
    const FormDefinition& main = forms.RequireForm("MainWindow");
    const FormDefinition& about = forms.RequireForm("About");

    std::set<int> kinds;
    for (const ActionBinding& action : main.Actions.Actions()) kinds.insert(action.Kind);
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 9}));
    EXPECT_EQ(main.Actions.FindAction("WebsiteLink")->Param1, "<Website>");
    EXPECT_EQ(main.Actions.FindAction("AboutButton")->Param1, "About");
    EXPECT_EQ(about.Actions.FindAction("OkButton")->Kind, 6);

    // Every class is one the builder knows and every bound name is a component of its window.
    const FormPlaceholders names{"Sky", "Blue Works", "http://example.org"};
    for (const FormDefinition* form : {&main, &about}) {
        const ComponentNode tree = PrepareFormTree(*form, names, DefaultFormsPath);
        std::set<std::string> components;
        std::vector<const ComponentNode*> pending{&tree};
        while (!pending.empty()) {
            const ComponentNode* node = pending.back();
            pending.pop_back();
            components.insert(node->Name);
            EXPECT_EQ(ComponentTag(*node) & 1, node == &tree ? 0 : 1) << node->Name;
            for (const auto& child : node->Children) pending.push_back(&child);
        }
        for (const ActionBinding& action : form->Actions.Actions())
            EXPECT_TRUE(components.count(action.ComponentName)) << action.ComponentName;
    }
}

TEST(DefaultForms, BuildSaverPacksThemWhenNoFormsAreGiven) {
    test::TempDir dir;
    const std::string picture = dir.Write("sky.jpg", "");
    const std::string saver = dir.File("Sky.scr");
    const std::string command = std::string(LV_LVTOOL_PATH) + " build-saver " + saver +
                                " --engine " + LV_LVCSAVER_PATH + " " + picture +
                                " >/dev/null 2>&1 && " + LV_LVTOOL_PATH + " unpack " + saver + " " +
                                dir.File("out") + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    EXPECT_TRUE(ReadFileBytes(dir.File("out/LVGUI.lvu")) == ReadFileBytes(DefaultFormsPath));
}

}  // namespace
}  // namespace lv
