#include "gui/qt/forms/form_builder.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "codecs/picture_codecs.h"
#include "common/error.h"
#include "common/file_util.h"
#include "gui/qt/controls/image_control.h"
#include "gui/qt/controls/jet_button.h"
#include "gui/qt/controls/panel_control.h"
#include "gui/qt/controls/qt_bitmap.h"
#include "gui/qt/controls/thumbnail_list.h"
#include "gui/qt/form_fixture.h"
#include "gui/qt/forms/component_properties.h"

namespace lv {
namespace {

using test::BuildFromLines;

std::string BuildError(const std::vector<std::string>& lines,
                       const std::string& name = "MainWindow") {
    try {
        BuildFromLines(lines, name);
    } catch (const Error& error) {
        EXPECT_EQ(error.File(), "test.lvu");
        return error.Message();
    }
    ADD_FAILURE() << "the build did not fail";
    return {};
}

TEST(FormBuilder, BuildsNestedComponentsWithGeometryCaptionsAndCreationOrder) {
    const auto built = BuildFromLines({
        "object MainWindow: TfmForm",
        "  Caption = 'Configure <ScreensaverName>'",
        "  ClientHeight = 240",
        "  ClientWidth = 320",
        "  object Panel1: TPanel",
        "    Left = 8",
        "    Top = 16",
        "    Width = 200",
        "    Height = 100",
        "    Caption = 'By <CompanyName>'",
        "    object OkButton: TButton",
        "      Left = 5",
        "      Top = 6",
        "      Width = 70",
        "      Height = 22",
        "      Caption = '&Caf'#233",
        "    end",
        "  end",
        "  object Edit1: TEdit",
        "    Left = 10",
        "    Top = 200",
        "    Text = '<Website>'",
        "  end",
        "end",
    });
    auto& window = *built->Window;
    EXPECT_EQ(window.FormName, "MainWindow");
    EXPECT_EQ(window.windowTitle(), "Configure Sky Saver");
    EXPECT_EQ(window.size(), QSize(320, 240));

    const auto& components = window.Components();
    ASSERT_EQ(components.size(), 3u);
    EXPECT_EQ(components[0].Name, "Panel1");
    EXPECT_EQ(components[1].Name, "OkButton");
    EXPECT_EQ(components[2].ClassName, "TEdit");

    QWidget* panel = window.FindComponent("panel1");
    QWidget* button = window.FindComponent("OkButton");
    ASSERT_TRUE(panel && button);
    EXPECT_EQ(panel->geometry(), QRect(8, 16, 200, 100));
    EXPECT_EQ(button->parentWidget(), panel);
    EXPECT_EQ(button->geometry(), QRect(5, 6, 70, 22));
    EXPECT_EQ(ShownText(panel), "By Blue Works");
    EXPECT_EQ(static_cast<QPushButton*>(button)->text(), QString::fromUtf8("&Caf\u00e9"));
    EXPECT_EQ(ShownText(components[2].Widget), "http://example.org/sky");
    // Width and height not given: the class's default size.
    EXPECT_EQ(components[2].Widget->size(), QSize(121, 21));
}

TEST(FormBuilder, AppliesColoursFontsAndSkipsUnknownProperties) {
    const auto built = BuildFromLines({
        "object MainWindow: TfmForm",
        "  Color = clBtnFace",
        "  Font.Charset = DEFAULT_CHARSET",
        "  Font.Height = -11",
        "  Font.Name = 'Tahoma'",
        "  OldCreateOrder = False",
        "  SomethingNew = 12",
        "  object Panel1: TPanel",
        "    Color = $004080FF",
        "    BevelOuter = bvNone",
        "    Unheard.Of = [a, b]",
        "  end",
        "  object Label1: TLabel",
        "    Caption = 'Title'",
        "    Font.Color = clRed",
        "    Font.Height = -20",
        "    Font.Style = [fsBold, fsUnderline]",
        "  end",
        "  object Preview: TLVPreview",
        "    Stretch = True",
        "    Picture.Data = {07544269746D6170}",
        "    IncrementalDisplay = True",
        "  end",
        "end",
    });
    auto& window = *built->Window;
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(240, 240, 240));
    EXPECT_EQ(window.font().pixelSize(), 11);
    EXPECT_EQ(window.font().family(), "Tahoma");

    QWidget* panel = window.FindComponent("Panel1");
    // $00BBGGRR: red is the low byte.
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0xFF, 0x80, 0x40));
    EXPECT_EQ(static_cast<PanelControl*>(panel)->BevelOuter, BevelCut::None);

    QWidget* label = window.FindComponent("Label1");
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(label->font().pixelSize(), 20);
    EXPECT_TRUE(label->font().bold());
    EXPECT_TRUE(label->font().underline());
    EXPECT_FALSE(label->font().italic());
    // A component without its own font takes the window's.
    EXPECT_EQ(panel->font().pixelSize(), 11);
}

TEST(FormBuilder, AlignedComponentsShareTheParentsArea) {
    const auto built = BuildFromLines({
        "object MainWindow: TfmForm",
        "  ClientHeight = 200",
        "  ClientWidth = 300",
        "  object Top1: TPanel",
        "    Height = 40",
        "    Align = alTop",
        "  end",
        "  object Client1: TPanel",
        "    Align = alClient",
        "    BevelOuter = bvNone",
        "    object Side: TPanel",
        "      Width = 50",
        "      Align = alRight",
        "    end",
        "  end",
        "  object Bottom1: TPanel",
        "    Height = 30",
        "    Align = alBottom",
        "  end",
        "end",
    });
    auto& window = *built->Window;
    EXPECT_EQ(window.FindComponent("Top1")->geometry(), QRect(0, 0, 300, 40));
    EXPECT_EQ(window.FindComponent("Bottom1")->geometry(), QRect(0, 170, 300, 30));
    EXPECT_EQ(window.FindComponent("Client1")->geometry(), QRect(0, 40, 300, 130));
    EXPECT_EQ(window.FindComponent("Side")->geometry(), QRect(250, 0, 50, 130));

    window.setMinimumSize(0, 0);
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window.show();
    window.resize(400, 300);
    QApplication::processEvents();
    EXPECT_EQ(window.FindComponent("Client1")->geometry(), QRect(0, 40, 400, 230));
    EXPECT_EQ(window.FindComponent("Side")->geometry(), QRect(350, 0, 50, 230));
}

TEST(FormBuilder, ResolvesActiveControlAndActivePageAfterAllBlocks) {
    const auto built = BuildFromLines({
        "object MainWindow: TfmForm",
        "  ActiveControl = Edit2",
        "  object Pages: TPageControl",
        "    ActivePage = Second",
        "    object First: TTabSheet",
        "      Caption = 'One'",
        "    end",
        "    object Second: TTabSheet",
        "      Caption = 'Two'",
        "      object Edit2: TEdit",
        "        Left = 4",
        "      end",
        "    end",
        "  end",
        "end",
    });
    auto& window = *built->Window;
    auto* tabs = qobject_cast<QTabWidget*>(window.FindComponent("Pages"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "One");
    EXPECT_EQ(tabs->currentWidget(), window.FindComponent("Second"));
    EXPECT_EQ(window.property("lvActiveControl").toString(), "Edit2");
    EXPECT_EQ(window.focusWidget(), window.FindComponent("Edit2"));
    EXPECT_EQ(ParentComponentOf(window, window.FindComponent("Edit2")),
              window.FindComponent("Second"));
}

TEST(FormBuilder, ErrorsNameTheFileAndLine) {
    EXPECT_EQ(
        BuildError({"object MainWindow: TfmForm", "  object B: TSpeedButton", "  end", "end"}),
        "line 4: unknown component class 'TSpeedButton'");
    EXPECT_EQ(BuildError({"object MainWindow: TfmForm", "  object P: TPanel", "    Left = 'far'",
                          "  end", "end"}),
              "line 5: Left: expected an integer");
    EXPECT_EQ(BuildError({"object MainWindow: TfmForm", "  object P: TPanel", "    Color = clPlaid",
                          "  end", "end"}),
              "line 5: Color: expected a colour");
    EXPECT_EQ(
        BuildError({"object MainWindow: TfmForm", "  object P: TPanel", "    BevelOuter = bvDeep",
                    "  end", "end"}),
        "line 5: BevelOuter: expected bvNone, bvLowered, bvRaised or bvSpace, found 'bvDeep'");
    EXPECT_EQ(BuildError({"object MainWindow: TfmForm", "  ActiveControl = Nobody", "end"}),
              "line 4: ActiveControl: no component named 'Nobody'");
    const std::string jet = BuildError({"object MainWindow: TfmForm", "  object J: TJetButton",
                                        "    PicSeries = 'Up;Left'", "  end", "end"});
    EXPECT_EQ(jet,
              "line 5: PicSeries: \"LEFT\" is not a valid PicSeries value. Available values: "
              "Up;Down;Disabled;Over");
    EXPECT_NE(BuildError({"object Other: TfmForm", "end"}, "MainWindow").find("MainWindow"),
              std::string::npos);
}

TEST(FormBuilder, FindsTheDefinitionByItsNameWithoutBlanksInAnyLetterCase) {
    const auto built = BuildFromLines({"object MainWindow: TfmForm", "end"}, "\t mainwindow \r");
    EXPECT_EQ(built->Window->FormName, "MainWindow");
}

TEST(FormBuilder, WindowFrameFollowsTheSixFlags) {
    auto frameless = BuildFromLines({"object MainWindow: TfmForm", "  NoFrame = True",
                                     "  Sizeable = True", "  MaximizeOnShow = True", "end"});
    EXPECT_TRUE(frameless->Window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(frameless->Window->Flags.MaximizeOnShow);
    EXPECT_TRUE(frameless->Window->windowState() & Qt::WindowMaximized);

    auto fixed = BuildFromLines({"object MainWindow: TfmForm", "  ClientWidth = 200",
                                 "  ClientHeight = 100", "  ShowButtons = True", "end"});
    const Qt::WindowFlags flags = fixed->Window->windowFlags();
    EXPECT_FALSE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(fixed->Window->minimumSize(), fixed->Window->maximumSize());
}

TEST(FormBuilder, TagBitZeroDecidesVisibilityAndClickableClassesReportClicks) {
    const auto built = BuildFromLines({
        "object MainWindow: TfmForm",
        "  ClientHeight = 200",
        "  ClientWidth = 300",
        "  object Shown: TLabel",
        "    Tag = 3",
        "    Caption = 'Home page'",
        "  end",
        "  object Hidden: TLabel",
        "    Tag = 2",
        "    Top = 50",
        "    Caption = 'Hidden'",
        "  end",
        "  object Plain: TButton",
        "    Tag = 1",
        "    Top = 100",
        "  end",
        "  object Bevel: TMyBevel",
        "    Tag = 1",
        "    Left = 200",
        "  end",
        "end",
    });
    auto& window = *built->Window;
    ApplyTagVisibility(window);
    window.show();
    EXPECT_TRUE(window.FindComponent("Shown")->isVisible());
    EXPECT_FALSE(window.FindComponent("Hidden")->isVisible());
    EXPECT_EQ(ComponentTagOf(window.FindComponent("Hidden")), 2);

    QSignalSpy clicks(&window, &FormWindow::ComponentClicked);
    QTest::mouseClick(window.FindComponent("Shown"), Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseClick(window.FindComponent("Plain"), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(window.FindComponent("Bevel"), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_EQ(clicks[0][0].toString(), "Shown");
    EXPECT_EQ(clicks[1][0].toString(), "Bevel");
}

// Binary property text: hexadecimal digits in braces, split over lines as files store them.
std::vector<std::string> HexLines(const std::string& path, const std::string& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::vector<std::string> lines = {path + " = {"};
    for (size_t i = 0; i < bytes.size(); i += 32) {
        std::string line = "  ";
        for (size_t j = i; j < std::min(bytes.size(), i + 32); ++j) {
            const auto byte = static_cast<unsigned char>(bytes[j]);
            line += digits[byte >> 4];
            line += digits[byte & 15];
        }
        lines.push_back(line);
    }
    lines.back() += "}";
    return lines;
}

TEST(FormBuilder, DecodesStoredPicturesAndBitmaps) {
    Bitmap32 face(12, 10);
    face.Fill(0xFFFFFF);
    for (int y = 3; y < 7; ++y)
        for (int x = 3; x < 9; ++x) face.SetPixel(x, y, 0x0000FF);
    std::string bitmap;
    const std::string bmp = EncodeBmp24(face);
    AppendLE32(bitmap, static_cast<int32_t>(bmp.size()));
    bitmap += bmp;
    const std::string picture = std::string("\x07TBitmap", 8) + bitmap;

    std::vector<std::string> lines = {"object MainWindow: TfmForm", "  object Jet: TJetButton",
                                      "    Left = 4", "    Width = 80"};
    for (const auto& line : HexLines("BitmapUp.Data", bitmap)) lines.push_back(line);
    lines.push_back("  end");
    lines.push_back("  object Image1: TImage");
    for (const auto& line : HexLines("Picture.Data", picture)) lines.push_back(line);
    lines.push_back("  end");
    lines.push_back("end");
    const auto built = BuildFromLines(lines);

    auto* jet = qobject_cast<JetButton*>(built->Window->FindComponent("Jet"));
    ASSERT_NE(jet, nullptr);
    EXPECT_EQ(jet->size(), QSize(12, 10));
    EXPECT_FALSE(jet->IsOnButton(QPoint(0, 0)));
    EXPECT_TRUE(jet->IsOnButton(QPoint(5, 5)));
    auto* image = qobject_cast<ImageControl*>(built->Window->FindComponent("Image1"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(FromQImage(image->Picture()), face);

    const std::string error = BuildError({"object MainWindow: TfmForm", "  object I: TImage",
                                          "    Picture.Data = {0754426974}", "  end", "end"});
    EXPECT_EQ(error.rfind("line 5: Picture.Data: ", 0), 0u) << error;
}

TEST(FormBuilder, SetsTheThumbnailListsOwnProperties) {
    const auto built = BuildFromLines({
        "object MainWindow: TfmForm",
        "  object List: TLVThumbnail2",
        "    Width = 420",
        "    PictureWidth = 100",
        "    PictureHeight = 75",
        "    ShowTitle = True",
        "    ShowCheckBox = True",
        "    Options = [goFixedVertLine, goFixedHorzLine]",
        "    DefaultColWidth = 64",
        "  end",
        "end",
    });
    auto* list = qobject_cast<ThumbnailList*>(built->Window->FindComponent("List"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->ColWidth(), 120);
    EXPECT_EQ(list->RowHeight(), 125);
    EXPECT_TRUE(list->ShowCheckBox());
}

}  // namespace
}  // namespace lv
