#include "gui/forms/component_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace lv {
namespace {

// Trees compared without their line numbers.
void ExpectSameValue(const PropertyValue& a, const PropertyValue& b, const std::string& where);

void ExpectSameProperties(const std::vector<ComponentProperty>& a,
                          const std::vector<ComponentProperty>& b, const std::string& where) {
    ASSERT_EQ(a.size(), b.size()) << where;
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].Path, b[i].Path) << where;
        ExpectSameValue(a[i].Value, b[i].Value, where + "." + a[i].Path);
    }
}

void ExpectSameValue(const PropertyValue& a, const PropertyValue& b, const std::string& where) {
    ASSERT_EQ(a.Kind, b.Kind) << where;
    EXPECT_EQ(a.Integer, b.Integer) << where;
    EXPECT_EQ(a.Real, b.Real) << where;
    EXPECT_EQ(a.RealType, b.RealType) << where;
    EXPECT_EQ(a.Text, b.Text) << where;
    EXPECT_EQ(a.Set, b.Set) << where;
    ASSERT_EQ(a.List.size(), b.List.size()) << where;
    for (size_t i = 0; i < a.List.size(); ++i) ExpectSameValue(a.List[i], b.List[i], where + "()");
    ASSERT_EQ(a.Items.size(), b.Items.size()) << where;
    for (size_t i = 0; i < a.Items.size(); ++i) {
        EXPECT_EQ(a.Items[i].Index, b.Items[i].Index) << where;
        ExpectSameProperties(a.Items[i].Properties, b.Items[i].Properties, where + "<>");
    }
}

void ExpectSameTree(const ComponentNode& a, const ComponentNode& b) {
    EXPECT_EQ(a.Kind, b.Kind);
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.ClassName, b.ClassName);
    EXPECT_EQ(a.Index, b.Index);
    ExpectSameProperties(a.Properties, b.Properties, a.Name);
    ASSERT_EQ(a.Children.size(), b.Children.size()) << a.Name;
    for (size_t i = 0; i < a.Children.size(); ++i) ExpectSameTree(a.Children[i], b.Children[i]);
}

TEST(ComponentWriter, WritesTheAuthoringToolLayout) {
    const ComponentNode tree = ParseComponentText(
        "object W: TForm Left = -3 Caption = 'It''s'#9 Font.Style = [fsBold, fsItalic]\n"
        " object P: TPanel Items.Strings = ('a' 'b') end end",
        "t");
    EXPECT_EQ(WriteComponentText(tree),
              "object W: TForm\r\n"
              "  Left = -3\r\n"
              "  Caption = 'It''s'#9\r\n"
              "  Font.Style = [fsBold, fsItalic]\r\n"
              "  object P: TPanel\r\n"
              "    Items.Strings = (\r\n"
              "      'a'\r\n"
              "      'b')\r\n"
              "  end\r\n"
              "end\r\n");
}

TEST(ComponentWriter, WrittenTextReadsBackToTheSameTree) {
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte += static_cast<char>(c);
    const std::string longText(300, '\'');
    ComponentNode root = ParseComponentText(R"(inherited W: TForm [2]
      Int = -9223372036854775808
      Real = 1.5E+3
      Tiny = -2.5e-300
      Whole = 1.0
      Single = 0.1s
      Ident = Form2.Edit1
      Empty = ''
      Set = []
      Numbers = [1, 2]
      Bytes = {}
      Picture.Data = {000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F2021}
      List = (1 'x' (nested [a] {FF}) <item end>)
      EmptyList = ()
      Coll = <
        item [4]
          Sub = <>
          Text = 'y'
        end
        item
        end>
      inline Frame: TFrame
        object TLabel
        end
      end
    end)",
                                            "t");
    ComponentProperty bytes;
    bytes.Path = "EveryByte";
    bytes.Value.Kind = ValueKind::String;
    bytes.Value.Text = everyByte;
    root.Properties.push_back(bytes);
    bytes.Path = "Quotes";
    bytes.Value.Text = longText;
    root.Properties.push_back(bytes);

    const std::string written = WriteComponentText(root);
    for (const char c : written)
        ASSERT_TRUE(c == '\r' || c == '\n' || (c >= ' ' && c < 0x7F)) << static_cast<int>(c);
    const ComponentNode again = ParseComponentText(written, "written");
    ExpectSameTree(root, again);
    EXPECT_EQ(WriteComponentText(again), written);
}

}  // namespace
}  // namespace lv
