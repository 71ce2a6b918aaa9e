#include "gui/forms/component_classes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/error.h"
#include "gui/forms/named_constants.h"

namespace lv {
namespace {

TEST(ComponentClasses, NineteenDistinctNamesFoundWhateverTheirCase) {
    const auto classes = ComponentClasses();
    ASSERT_EQ(classes.size(), 19u);
    std::set<std::string> upperNames;
    for (const auto& traits : classes) {
        std::string upper;
        for (const char c : traits.Name) upper += AsciiUpper(c);
        EXPECT_TRUE(upperNames.insert(upper).second) << traits.Name;
        EXPECT_EQ(&TraitsOf(traits.Class), &traits) << traits.Name;
        EXPECT_EQ(FindComponentClass(upper), &traits) << traits.Name;
    }
    for (const char* name : {"TForm", "tfmlvconfigwindow", "TLVThumbnail2", "TJetButton", "TMyMemo",
                             "TTabSheet", "TPageControl", "TShape"})
        EXPECT_NE(FindComponentClass(name), nullptr) << name;
    // Near misses: an older thumbnail list, the class the authoring tool writes into the first
    // line, a standard control the builder has no widget for, and a prefix.
    for (const char* name : {"TLVThumbnail", "TfmForm", "TSpeedButton", "TLab", "", "TLabel "})
        EXPECT_EQ(FindComponentClass(name), nullptr) << name;
}

TEST(ComponentClasses, ClickBindingsReachOnlyClickableClasses) {
    for (const char* name : {"TLabel", "TMyShape", "TPanel", "TMyBevel", "TImage", "TLVPreview",
                             "TBitBtn", "TJetButton", "tmybutton"})
        EXPECT_TRUE(FindComponentClass(name)->TakesClickBinding) << name;
    for (const char* name : {"TButton", "TCheckBox", "TEdit", "TMyMemo", "TShape", "TPageControl",
                             "TTabSheet", "TLVThumbnail2", "TForm"})
        EXPECT_FALSE(FindComponentClass(name)->TakesClickBinding) << name;
}

TEST(ComponentClasses, ControlsThatSizeThemselvesHaveNoDefaultSize) {
    for (const char* name : {"TLabel", "TJetButton", "TTabSheet", "TLVThumbnail2", "TForm"})
        EXPECT_FALSE(FindComponentClass(name)->DefaultSize) << name;
    const auto edit = FindComponentClass("TEdit")->DefaultSize;
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->Width, 121);
    EXPECT_EQ(edit->Height, 21);
    for (const auto& traits : ComponentClasses()) {
        if (traits.DefaultSize) {
            EXPECT_GT(traits.DefaultSize->Width, 0) << traits.Name;
            EXPECT_GT(traits.DefaultSize->Height, 0) << traits.Name;
        }
    }
}

PropertyValue Identifier(const std::string& name) {
    PropertyValue value;
    value.Kind = ValueKind::Identifier;
    value.Text = name;
    return value;
}

// A later entry of the same name is never reached, and the message lists what the table holds.
constexpr NamedConstant<int> Sides[] = {{"sdLeft", 1}, {"sdRight", 2}, {"sdLeft", 3}};

std::string ErrorOf(const PropertyValue& value) {
    try {
        NamedConstantValue(value, Sides);
    } catch (const Error& error) {
        return error.Message();
    }
    return "";
}

TEST(NamedConstants, LooksUpIgnoringCaseFirstMatchAndListsTheNamesWhenNoneFits) {
    EXPECT_EQ(NamedConstantValue(Identifier("SDRIGHT"), Sides), 2);
    EXPECT_EQ(NamedConstantValue(Identifier("sdleft"), Sides), 1);
    EXPECT_EQ(FindNamedConstant(Sides, "sdTop"), std::nullopt);
    EXPECT_EQ(ErrorOf(Identifier("sdTop")), "expected sdLeft, sdRight or sdLeft, found 'sdTop'");
    PropertyValue number;
    number.Kind = ValueKind::Integer;
    number.Integer = 1;
    EXPECT_EQ(ErrorOf(number), "expected sdLeft, sdRight or sdLeft");
    // A string that spells a name is still not the constant.
    PropertyValue text = Identifier("sdLeft");
    text.Kind = ValueKind::String;
    EXPECT_EQ(ErrorOf(text), "expected sdLeft, sdRight or sdLeft");
    static constexpr NamedConstant<bool> One[] = {{"bsRaised", true}};
    try {
        NamedConstantOf(One, "bsSunken");
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.Message(), "expected bsRaised, found 'bsSunken'");
    }
}

}  // namespace
}  // namespace lv
