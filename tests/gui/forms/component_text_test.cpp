#include "gui/forms/component_text.h"

#include <gtest/gtest.h>

#include <string>

#include "common/error.h"

namespace lv {
namespace {

// CR LF line ends, as the authoring tool writes them.
std::string Crlf(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

ComponentNode Parse(std::string_view text) { return ParseComponentText(text, "test.lvu"); }

// The message of the error a text raises, or "" when it parses.
std::string ErrorOf(std::string_view text) {
    try {
        Parse(text);
    } catch (const Error& e) {
        EXPECT_EQ(e.File(), "test.lvu");
        return e.Message();
    }
    return "";
}

const PropertyValue& ValueOf(const ComponentNode& node, std::string_view path) {
    const ComponentProperty* property = node.FindProperty(path);
    if (!property) throw std::runtime_error("no property " + std::string(path));
    return property->Value;
}

// A window as the authoring tool writes it: two-blank indentation, events on every component,
// a picture in binary form, string lists, sets and a long caption split with '+'.
constexpr std::string_view AuthoringToolForm = R"(object MainWindow: TfmForm
  Left = 259
  Top = 117
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = '<ScreensaverName> Configuration'
  ClientHeight = 453
  ClientWidth = 622
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Visible = False
  ShowButtons = True
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object Panel1: TPanel
    Tag = 3
    Left = 0
    Top = 412
    Width = 622
    Height = 41
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 0
    OnMouseDown = BindResizer
    object CloseButton: TBitBtn
      Tag = 3
      Left = 536
      Top = 8
      Width = 75
      Height = 25
      Caption = '&Close'
      TabOrder = 0
      OnMouseDown = BindResizer
    end
  end
  object Thumbs: TLVThumbnail2
    Tag = 3
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect]
    ScrollBars = ssVertical
    PictureWidth = 80
    ShowCheckBox = True
  end
  object Memo: TMyMemo
    Tag = 3
    Text = 
      'Thank you for choosing this saver. Press Settings to choose how the ' +
      'pictures change.'#13#10'Visit '#39'<Website>'#39' for more.'
  end
  object Preview: TLVPreview
    Tag = 3
    Cursor = crHandPoint
    Picture.Data = {
      07544269746D61703A000000424D3A0000000000000036000000280000000100
      0000010000000100180000000000040000000000000000000000000000000000
      00000000FF00}
    Stretch = True
  end
end
)";

TEST(ComponentText, ReadsAWindowAsTheAuthoringToolWritesIt) {
    for (const std::string& text : {std::string(AuthoringToolForm), Crlf(AuthoringToolForm)}) {
        const ComponentNode window = Parse(text);
        EXPECT_EQ(window.Name, "MainWindow");
        EXPECT_EQ(window.ClassName, "TfmForm");
        EXPECT_EQ(window.Kind, BlockKind::Object);
        EXPECT_EQ(window.Line, 1);
        ASSERT_EQ(window.Properties.size(), 19u);
        EXPECT_EQ(window.Properties[0].Path, "Left");
        EXPECT_EQ(window.Properties[18].Path, "TextHeight");
        EXPECT_EQ(ValueOf(window, "Font.Height").Integer, -11);
        EXPECT_EQ(ValueOf(window, "font.name").Text, "MS Sans Serif");
        EXPECT_EQ(ValueOf(window, "Font.Style").Kind, ValueKind::Set);
        EXPECT_TRUE(ValueOf(window, "Font.Style").Set.empty());
        EXPECT_EQ(ValueOf(window, "BorderIcons").Set,
                  (std::vector<std::string>{"biSystemMenu", "biMinimize"}));
        EXPECT_TRUE(ValueOf(window, "ShowButtons").IsTrue());
        EXPECT_TRUE(ValueOf(window, "OldCreateOrder").IsFalse());
        EXPECT_EQ(ValueOf(window, "OnShow").Text, "FormShow");

        ASSERT_EQ(window.Children.size(), 4u);
        const ComponentNode& panel = window.Children[0];
        EXPECT_EQ(panel.Name, "Panel1");
        EXPECT_EQ(panel.Line, 21);
        ASSERT_EQ(panel.Children.size(), 1u);
        EXPECT_EQ(panel.Children[0].Name, "CloseButton");
        EXPECT_EQ(ValueOf(panel.Children[0], "Caption").Text, "&Close");
        EXPECT_EQ(window.Children[1].FindProperty("Options")->Value.Set.size(), 5u);

        EXPECT_EQ(ValueOf(window.Children[2], "Text").Text,
                  "Thank you for choosing this saver. Press Settings to choose how the "
                  "pictures change.\r\nVisit '<Website>' for more.");

        const ComponentProperty* picture = window.Children[3].FindProperty("Picture.Data");
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->Line, 58);
        EXPECT_EQ(picture->Value.Kind, ValueKind::Binary);
        ASSERT_EQ(picture->Value.Text.size(), 70u);
        EXPECT_EQ(picture->Value.Text.substr(0, 8), "\x07TBitmap");
        EXPECT_EQ(picture->Value.Text.substr(8, 6), std::string("\x3A\0\0\0BM", 6));
        EXPECT_TRUE(ValueOf(window.Children[3], "Stretch").IsTrue());
    }
}

TEST(ComponentText, IndentationAndLineEndsCarryNoMeaning) {
    const std::string flat = "object A: TForm\nLeft = 1\nobject B: TPanel\nTop = 2\nend\nend";
    const std::string messy =
        "\t\tobject   A :TForm\r   Left=1 \r\n\r\n object B:TPanel Top =\n\n   2 end end\r\n\r\n";
    for (const auto& text : {flat, messy}) {
        const ComponentNode a = Parse(text);
        EXPECT_EQ(a.Name, "A");
        EXPECT_EQ(a.ClassName, "TForm");
        EXPECT_EQ(ValueOf(a, "Left").Integer, 1);
        ASSERT_EQ(a.Children.size(), 1u);
        EXPECT_EQ(ValueOf(a.Children[0], "Top").Integer, 2);
    }
    // CR, LF and CR LF each count as one line.
    EXPECT_EQ(Parse(messy).Children[0].Line, 4);
    EXPECT_EQ(Parse(messy).Children[0].FindProperty("Top")->Line, 4);
    EXPECT_EQ(Parse(messy).Children[0].FindProperty("Top")->Value.Line, 6);
}

TEST(ComponentText, ReadsIntegersInEveryWrittenForm) {
    const ComponentNode node = Parse(R"(object A: TForm
      Zero = 0
      Negative = -11
      SpacedSign = -
        7
      Hex = $00FF8000
      HexNegative = -$10
      AllBits = $FFFFFFFFFFFFFFFF
      Largest = 9223372036854775807
      Smallest = -9223372036854775808
    end)");
    EXPECT_EQ(ValueOf(node, "Zero").Integer, 0);
    EXPECT_EQ(ValueOf(node, "Negative").Integer, -11);
    EXPECT_EQ(ValueOf(node, "SpacedSign").Integer, -7);
    EXPECT_EQ(ValueOf(node, "Hex").Integer, 0xFF8000);
    EXPECT_EQ(ValueOf(node, "HexNegative").Integer, -16);
    EXPECT_EQ(ValueOf(node, "AllBits").Integer, -1);
    EXPECT_EQ(ValueOf(node, "Largest").Integer, INT64_MAX);
    EXPECT_EQ(ValueOf(node, "Smallest").Integer, INT64_MIN);
    for (const auto& property : node.Properties)
        EXPECT_EQ(property.Value.Kind, ValueKind::Integer) << property.Path;

    EXPECT_EQ(ErrorOf("object A: TForm\n X = 9223372036854775808\nend"),
              "line 2: integer 9223372036854775808 is out of range");
    EXPECT_EQ(ErrorOf("object A: TForm\n X = 99999999999999999999999\nend"),
              "line 2: integer 99999999999999999999999 is out of range");
    EXPECT_EQ(ErrorOf("object A: TForm\n X = $1FFFFFFFFFFFFFFFF\nend"),
              "line 2: hexadecimal integer is out of range");
    EXPECT_EQ(ErrorOf("object A: TForm\n X = $\nend"),
              "line 2: expected hexadecimal digit after '$', found end of line");
    EXPECT_EQ(ErrorOf("object A: TForm\n X = - Y\nend"),
              "line 2: expected number after '-', found 'Y'");
}

TEST(ComponentText, ReadsRealNumbersWithADotWhateverTheLocale) {
    // A locale with a decimal comma must not change how "1.5" reads.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const ComponentNode node = Parse(R"(object A: TForm
      Half = 0.5
      Scaled = 1.5E+3
      Small = 2.5e-2
      Exponent = 1E3
      Negative = -0.25
      Long = 1.500000000000000000
      Single = 2.75s
      Currency = 12.5C
    end)");
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_DOUBLE_EQ(ValueOf(node, "Half").Real, 0.5);
    EXPECT_DOUBLE_EQ(ValueOf(node, "Scaled").Real, 1500.0);
    EXPECT_DOUBLE_EQ(ValueOf(node, "Small").Real, 0.025);
    EXPECT_DOUBLE_EQ(ValueOf(node, "Exponent").Real, 1000.0);
    EXPECT_DOUBLE_EQ(ValueOf(node, "Negative").Real, -0.25);
    EXPECT_DOUBLE_EQ(ValueOf(node, "Long").Real, 1.5);
    EXPECT_EQ(ValueOf(node, "Single").RealType, 's');
    EXPECT_DOUBLE_EQ(ValueOf(node, "Single").Real, 2.75);
    EXPECT_EQ(ValueOf(node, "Currency").RealType, 'c');
    EXPECT_EQ(ValueOf(node, "Half").RealType, 0);
    for (const auto& property : node.Properties)
        EXPECT_EQ(property.Value.Kind, ValueKind::Real) << property.Path;

    EXPECT_EQ(ErrorOf("object A: TForm\n X = 1E999\nend"),
              "line 2: real number 1E999 is out of range");
}

TEST(ComponentText, JoinsStringPiecesQuotesAndCharacterCodes) {
    const ComponentNode node = Parse(R"(object A: TForm
      Empty = ''
      Quote = 'It''s'
      OnlyQuote = ''''
      Codes = #72#105
      Mixed = 'First line'#13#10'Second line'
      HexCode = #$41'B'
      High = 'Caf'#233
      Wide = #8364#1057'!'
      NextLine =
        'on the next line'
      Continued = 'one ' +
        'two ' +

        'three'#33
    end)");
    EXPECT_EQ(ValueOf(node, "Empty").Text, "");
    EXPECT_EQ(ValueOf(node, "Empty").Kind, ValueKind::String);
    EXPECT_EQ(ValueOf(node, "Quote").Text, "It's");
    EXPECT_EQ(ValueOf(node, "OnlyQuote").Text, "'");
    EXPECT_EQ(ValueOf(node, "Codes").Text, "Hi");
    EXPECT_EQ(ValueOf(node, "Mixed").Text, "First line\r\nSecond line");
    EXPECT_EQ(ValueOf(node, "HexCode").Text, "AB");
    EXPECT_EQ(ValueOf(node, "High").Text, "Caf\xE9");
    // Codes above 255 come from wide text: the euro sign has a Windows-1252 byte, Cyrillic
    // letters do not.
    EXPECT_EQ(ValueOf(node, "Wide").Text, "\x80?!");
    EXPECT_EQ(ValueOf(node, "NextLine").Text, "on the next line");
    EXPECT_EQ(ValueOf(node, "Continued").Text, "one two three!");
    EXPECT_EQ(node.FindProperty("Continued")->Line, 12);
}

TEST(ComponentText, KeepsEightBitAndNulBytesOfStrings) {
    std::string text = "object A: TForm\n X = 'a\xE4\xFF' + #0'b'\nend";
    EXPECT_EQ(ValueOf(Parse(text), "X").Text, std::string("a\xE4\xFF\0b", 5));
}

TEST(ComponentText, ReportsBrokenStrings) {
    EXPECT_EQ(ErrorOf("object A: TForm\n  Caption = 'no end\n  Left = 1\nend"),
              "line 2: expected closing quote, found end of line");
    EXPECT_EQ(ErrorOf("object A: TForm\n  Caption = 'no end"),
              "line 2: expected closing quote, found end of file");
    EXPECT_EQ(ErrorOf("object A: TForm\n  Caption = 'a' +\n  Left = 1\nend"),
              "line 3: expected string after '+', found 'Left'");
    EXPECT_EQ(ErrorOf("object A: TForm\n  Caption = 'a'#\nend"),
              "line 2: expected character code after '#', found end of line");
    EXPECT_EQ(ErrorOf("object A: TForm\n  Caption = #1114112\nend"),
              "line 2: character code is out of range");
}

TEST(ComponentText, ReadsBinaryDataOfAnyLength) {
    const ComponentNode node = Parse(R"(object A: TForm
      Empty = {}
      OneByte = {7F}
      Odd = {
        0102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F20
        21222324252627
        28}
      Spaced = { a b
      c d }
      Next = 1
    end)");
    EXPECT_EQ(ValueOf(node, "Empty").Kind, ValueKind::Binary);
    EXPECT_EQ(ValueOf(node, "Empty").Text, "");
    EXPECT_EQ(ValueOf(node, "OneByte").Text, "\x7F");
    const std::string& odd = ValueOf(node, "Odd").Text;
    ASSERT_EQ(odd.size(), 40u);
    for (size_t i = 0; i < odd.size(); ++i) EXPECT_EQ(odd[i], static_cast<char>(i + 1));
    EXPECT_EQ(ValueOf(node, "Spaced").Text, "\xAB\xCD");
    EXPECT_EQ(node.FindProperty("Next")->Line, 10);

    EXPECT_EQ(ErrorOf("object A: TForm\n X = {0102\n 0G}\nend"),
              "line 3: expected hexadecimal digit or '}', found 'G'");
    EXPECT_EQ(ErrorOf("object A: TForm\n X = {010\n }\nend"),
              "line 3: expected second hexadecimal digit of a byte, found '}'");
    EXPECT_EQ(ErrorOf("object A: TForm\n X = {0102\n"), "line 3: expected '}', found end of file");
}

TEST(ComponentText, ReadsSetsListsAndIdentifiers) {
    const ComponentNode node = Parse(R"(object A: TForm
      Empty = []
      One = [fsUnderline]
      Several = [goFixedVertLine,goFixedHorzLine ,
        goVertLine]
      Numbers = [0, 3]
      Items.Strings = (
        'Original Size'
        'Stretch-Full'
        'Stretch-Proportional')
      Mixed = (1 -2 'x' Ident 1.5 (nested 'list') [a] {00})
      EmptyList = ()
      Reference = Form2.Edit1
      Align = alClient
    end)");
    EXPECT_EQ(ValueOf(node, "Empty").Set.size(), 0u);
    EXPECT_EQ(ValueOf(node, "One").Set, std::vector<std::string>{"fsUnderline"});
    EXPECT_EQ(ValueOf(node, "Several").Set,
              (std::vector<std::string>{"goFixedVertLine", "goFixedHorzLine", "goVertLine"}));
    EXPECT_EQ(ValueOf(node, "Numbers").Set, (std::vector<std::string>{"0", "3"}));
    const auto& items = ValueOf(node, "Items.Strings");
    ASSERT_EQ(items.Kind, ValueKind::List);
    ASSERT_EQ(items.List.size(), 3u);
    EXPECT_EQ(items.List[2].Text, "Stretch-Proportional");
    const auto& mixed = ValueOf(node, "Mixed").List;
    ASSERT_EQ(mixed.size(), 8u);
    EXPECT_EQ(mixed[1].Integer, -2);
    EXPECT_EQ(mixed[3].Kind, ValueKind::Identifier);
    EXPECT_EQ(mixed[5].Kind, ValueKind::List);
    EXPECT_EQ(mixed[5].List[1].Text, "list");
    EXPECT_EQ(mixed[6].Kind, ValueKind::Set);
    EXPECT_EQ(mixed[7].Kind, ValueKind::Binary);
    EXPECT_TRUE(ValueOf(node, "EmptyList").List.empty());
    EXPECT_EQ(ValueOf(node, "EmptyList").Kind, ValueKind::List);
    EXPECT_EQ(ValueOf(node, "Reference").Text, "Form2.Edit1");
    EXPECT_EQ(ValueOf(node, "Align").Text, "alClient");

    EXPECT_EQ(ErrorOf("object A: TForm\n S = [a b]\nend"),
              "line 2: expected ',' or ']', found 'b'");
    EXPECT_EQ(ErrorOf("object A: TForm\n S = [a, ]\nend"),
              "line 2: expected set element, found ']'");
    EXPECT_EQ(ErrorOf("object A: TForm\n L = ('a'\n 'b'\n"),
              "line 4: expected value or ')', found end of file");
}

TEST(ComponentText, ReadsCollectionsEmptyAndNested) {
    const ComponentNode node = Parse(R"(object A: TForm
      Columns = <>
      Panels = <
        item
          Width = 50
        end
        item [3]
          Text = 'x'
          Sub = <
            item
              Deep = <>
            end>
        end>
      Last = 1
    end)");
    EXPECT_EQ(ValueOf(node, "Columns").Kind, ValueKind::Collection);
    EXPECT_TRUE(ValueOf(node, "Columns").Items.empty());
    const auto& panels = ValueOf(node, "Panels").Items;
    ASSERT_EQ(panels.size(), 2u);
    EXPECT_EQ(panels[0].Line, 4);
    EXPECT_FALSE(panels[0].Index.has_value());
    EXPECT_EQ(panels[0].Properties[0].Value.Integer, 50);
    EXPECT_EQ(panels[1].Index, 3);
    ASSERT_EQ(panels[1].Properties.size(), 2u);
    const auto& sub = panels[1].Properties[1].Value;
    ASSERT_EQ(sub.Items.size(), 1u);
    EXPECT_EQ(sub.Items[0].Properties[0].Path, "Deep");
    EXPECT_EQ(ValueOf(node, "Last").Integer, 1);

    EXPECT_EQ(ErrorOf("object A: TForm\n C = <\n  thing\n  end>\nend"),
              "line 3: expected 'item' or '>', found 'thing'");
    EXPECT_EQ(ErrorOf("object A: TForm\n C = <\n  item\n  5\n  end>\nend"),
              "line 4: expected property or 'end', found '5'");
}

TEST(ComponentText, ReadsOtherBlockHeaders) {
    const ComponentNode node = Parse(R"(inherited Child: TChildForm
      inline Frame1: TFrame1 [1]
        object TPanel
        end
      end
      OBJECT Upper: TLabel END
    end)");
    EXPECT_EQ(node.Kind, BlockKind::Inherited);
    ASSERT_EQ(node.Children.size(), 2u);
    EXPECT_EQ(node.Children[0].Kind, BlockKind::Inline);
    EXPECT_EQ(node.Children[0].Index, 1);
    EXPECT_EQ(node.Children[0].Children[0].Name, "");
    EXPECT_EQ(node.Children[0].Children[0].ClassName, "TPanel");
    EXPECT_EQ(node.Children[1].Name, "Upper");
}

TEST(ComponentText, NamesTheLineAndWhatWasExpected) {
    EXPECT_EQ(ErrorOf(""), "line 1: expected 'object', found end of file");
    EXPECT_EQ(ErrorOf("\n\n  form A: TForm\nend"), "line 3: expected 'object', found 'form'");
    EXPECT_EQ(ErrorOf("object : TForm\nend"), "line 1: expected component name, found ':'");
    EXPECT_EQ(ErrorOf("object A:\nend"), "line 2: expected class name, found 'end'");
    EXPECT_EQ(ErrorOf("object A: TForm\n  Left 10\n  Top = 5\nend"),
              "line 2: expected '=', found '10'");
    EXPECT_EQ(ErrorOf("object A: TForm\n  Left =\nend"), "line 3: expected value, found 'end'");
    EXPECT_EQ(ErrorOf("object A: TForm\n  Font. = 1\nend"),
              "line 2: expected property name after '.', found '='");
    EXPECT_EQ(ErrorOf("object A: TForm\n  Left = 1\n  object B: TPanel\n  end\n"),
              "line 5: expected 'object' or 'end', found end of file");
    EXPECT_EQ(ErrorOf("object A: TForm\n  object B: TPanel\n  end\n  Left = 1\nend"),
              "line 4: expected 'object' or 'end', found 'Left'");
    EXPECT_EQ(ErrorOf("object A: TForm\n  Left = 1\n  %\nend"),
              "line 3: expected property, 'object' or 'end', found '%'");
    EXPECT_EQ(ErrorOf("object A: TForm\n  Left = \xE9\nend"),
              "line 2: expected value, found character #233");
    EXPECT_EQ(ErrorOf("object A: TForm\n  X = (" + std::string(50, 'w') + " =)\nend"),
              "line 2: expected value, found '='");
    // Long names are shortened in the message.
    EXPECT_EQ(ErrorOf("object A: TForm\n  X = [a " + std::string(50, 'v') + "]\nend"),
              "line 2: expected ',' or ']', found '" + std::string(40, 'v') + "...'");
    EXPECT_EQ(ErrorOf("object A: TForm\nend\nobject B: TForm\nend"),
              "line 3: expected end of file, found 'object'");
    EXPECT_EQ(ErrorOf("object A: TForm\n  Caption = 'a very long caption indeed, longer than shown'"
                      " 'x'\nend"),
              "line 2: expected property, 'object' or 'end', found string 'x'");
    EXPECT_EQ(ErrorOf("object A: TForm\n  X = 1 'a very long caption indeed, longer' = 2\nend"),
              "line 2: expected property, 'object' or 'end', "
              "found string 'a very long caption inde...'");
}

// Nests `depth` component blocks.
std::string NestedBlocks(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "object C" + std::to_string(i) + ": TPanel\n";
    for (int i = 0; i < depth; ++i) text += "end\n";
    return text;
}

TEST(ComponentText, LimitsHowDeeplyBlocksAndValuesNest) {
    const ComponentNode deepest = Parse(NestedBlocks(MaxComponentNesting));
    const ComponentNode* node = &deepest;
    int depth = 1;
    while (!node->Children.empty()) {
        node = &node->Children[0];
        ++depth;
    }
    EXPECT_EQ(depth, MaxComponentNesting);
    EXPECT_EQ(ErrorOf(NestedBlocks(MaxComponentNesting + 1)),
              "line 65: nesting deeper than 64 levels");

    // Lists and collection items count with the block that holds them.
    const std::string lists =
        "object A: TForm\n X = " + std::string(63, '(') + std::string(63, ')') + "\nend";
    EXPECT_EQ(ErrorOf(lists), "");
    const std::string tooDeep =
        "object A: TForm\n X = " + std::string(64, '(') + std::string(64, ')') + "\nend";
    EXPECT_EQ(ErrorOf(tooDeep), "line 2: nesting deeper than 64 levels");
    // Far deeper input fails the same way instead of exhausting the stack.
    EXPECT_EQ(ErrorOf("object A: TForm\n X = " + std::string(1'000'000, '(')),
              "line 2: nesting deeper than 64 levels");
    std::string collections = "object A: TForm\n X = ";
    for (int i = 0; i < 100'000; ++i) collections += "< item Y = ";
    EXPECT_EQ(ErrorOf(collections), "line 2: nesting deeper than 64 levels");
    EXPECT_EQ(ErrorOf(NestedBlocks(100'000)), "line 65: nesting deeper than 64 levels");
}

TEST(ComponentText, LimitsHowManyItemsOneTextHolds) {
    // Each list element is an item of its own; one below the limit, with the block and the
    // list itself, still parses.
    const auto listOf = [](size_t elements) {
        std::string text = "object A: TForm\n X = (";
        for (size_t i = 0; i < elements; ++i) text += "1 ";
        return text + ")\nend";
    };
    EXPECT_EQ(ErrorOf(listOf(MaxComponentTextItems - 2)), "");
    EXPECT_EQ(ErrorOf(listOf(MaxComponentTextItems - 1)),
              "line 2: more than 200000 components, properties and values");
    std::string set = "object A: TForm\n X = [a";
    for (size_t i = 0; i < MaxComponentTextItems; ++i) set += ",a";
    EXPECT_EQ(ErrorOf(set + "]\nend"),
              "line 2: more than 200000 components, properties and values");
}

TEST(ComponentText, ReadsLargeTextsWhole) {
    // Many components, a long string of many '+' pieces and a large picture: every piece
    // arrives, in order.
    std::string text = "object A: TForm\n Caption = 'x'";
    for (int i = 0; i < 20'000; ++i) text += " +\n 'x'";
    text += "\n Picture.Data = {\n";
    for (int i = 0; i < 40'000; ++i)
        text += "  00112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF\n";
    text += " }\n";
    for (int i = 0; i < 5'000; ++i)
        text += " object L" + std::to_string(i) + ": TLabel\n  Tag = 3\n end\n";
    text += "end\n";
    const ComponentNode node = Parse(text);
    EXPECT_EQ(ValueOf(node, "Caption").Text.size(), 20'001u);
    EXPECT_EQ(ValueOf(node, "Picture.Data").Text.size(), 40'000u * 32);
    ASSERT_EQ(node.Children.size(), 5'000u);
    EXPECT_EQ(node.Children.back().Name, "L4999");
}

}  // namespace
}  // namespace lv

namespace lv {
namespace {

// Damaged texts either parse or raise lv::Error; nothing else may happen to them.
TEST(ComponentText, DamagedTextsFailCleanly) {
    uint32_t seed = 12345;
    const auto next = [&seed](uint32_t range) {
        seed = seed * 134775813u + 1u;
        return static_cast<uint32_t>((static_cast<uint64_t>(seed) * range) >> 32);
    };
    const std::string original = Crlf(AuthoringToolForm);
    constexpr char Interesting[] = "'#{}()<>[]=+-.$:\r\n 0aZ";
    int parsed = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text = original;
        const uint32_t edits = 1 + next(4);
        for (uint32_t e = 0; e < edits; ++e) {
            const size_t at = next(static_cast<uint32_t>(text.size()));
            switch (next(3)) {
                case 0:
                    text[at] = Interesting[next(sizeof Interesting - 1)];
                    break;
                case 1:
                    text.erase(at, 1 + next(20));
                    break;
                default:
                    text.resize(at);
                    break;
            }
        }
        try {
            ParseComponentText(text, "fuzz.lvu");
            ++parsed;
        } catch (const Error& e) {
            EXPECT_EQ(e.Message().rfind("line ", 0), 0u) << e.Message();
        }
    }
    EXPECT_GT(parsed, 0);
}

}  // namespace
}  // namespace lv
