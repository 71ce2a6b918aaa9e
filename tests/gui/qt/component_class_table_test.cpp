#include "gui/qt/forms/component_class_table.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <set>

#include "gui/qt/controls/bevel_control.h"
#include "gui/qt/controls/jet_button.h"
#include "gui/qt/controls/memo_control.h"
#include "gui/qt/controls/panel_control.h"
#include "gui/qt/controls/picture_button.h"
#include "gui/qt/controls/preview_control.h"
#include "gui/qt/controls/shape_control.h"
#include "gui/qt/controls/thumbnail_list.h"
#include "gui/qt/form_fixture.h"
#include "gui/qt/forms/component_properties.h"

namespace lv {
namespace {

// A front end that lacks a class fails every definition that uses it; the table of another
// toolkit gets the same check by looping over the core list the same way.
TEST(QtComponentClassTable, HoldsEveryCoreClassOnceAndMakesItsWidgetAtItsDefaultSize) {
    std::set<ComponentClass> seen;
    for (const auto& entry : QtComponentClasses())
        EXPECT_TRUE(seen.insert(entry.Class).second) << TraitsOf(entry.Class).Name;
    QWidget parent;
    for (const auto& traits : ComponentClasses()) {
        const QtComponentClass* entry = FindQtComponentClass(traits.Class);
        ASSERT_NE(entry, nullptr) << traits.Name << " has no widget in the Qt front end";
        QWidget* widget = CreateComponentWidget(traits.Class, &parent);
        EXPECT_EQ(widget->parentWidget(), &parent) << traits.Name;
        if (traits.DefaultSize) {
            EXPECT_EQ(widget->size(), QSize(traits.DefaultSize->Width, traits.DefaultSize->Height))
                << traits.Name;
        }
    }
    EXPECT_EQ(seen.size(), ComponentClasses().size());
}

// One component of every class, each with a line of its own class's table, so a property
// table paired with the wrong widget fails the build instead of writing into another object.
TEST(QtComponentClassTable, EveryClassBuildsWithALineOfItsOwnTable) {
    const auto built = test::BuildFromLines({
        "object MainWindow: TfmForm",
        "  object Form1: TForm",
        "    Tag = 1",
        "  end",
        "  object Inner: TfmLVConfigWindow",
        "    Tag = 1",
        "  end",
        "  object Edit1: TEdit",
        "    Text = 'typed'",
        "  end",
        "  object Label1: TLabel",
        "    Layout = tlCenter",
        "    Caption = 'Name'",
        "  end",
        "  object Button1: TButton",
        "    Default = True",
        "  end",
        "  object Glyph1: TBitBtn",
        "    Caption = 'Go'",
        "  end",
        "  object Check1: TCheckBox",
        "    State = cbGrayed",
        "  end",
        "  object Panel1: TPanel",
        "    BevelInner = bvLowered",
        "  end",
        "  object Shape1: TShape",
        "    Shape = stCircle",
        "  end",
        "  object Shape2: TMyShape",
        "    Shape = stEllipse",
        "  end",
        "  object Bevel1: TMyBevel",
        "    Style = bsRaised",
        "  end",
        "  object Pages: TPageControl",
        "    ActivePage = Page1",
        "    object Page1: TTabSheet",
        "      Caption = 'First'",
        "      Left = 300",
        "      font.height = -19",
        "    end",
        "  end",
        "  object Image1: TImage",
        "    Center = True",
        "  end",
        "  object Picture1: TMyButton",
        "    ShowCaption = True",
        "  end",
        "  object Jet1: TJetButton",
        "    PicSeries = 'Up;Down'",
        "  end",
        "  object Memo1: TMyMemo",
        "    ScrollBars = ssVertical",
        "  end",
        "  object Preview1: TLVPreview",
        "    Stretch = True",
        "  end",
        "  object List1: TLVThumbnail2",
        "    ShowTitle = True",
        "  end",
        "end",
    });
    const FormWindow& window = *built->Window;
    ASSERT_EQ(window.Components().size(), 19u);
    std::set<ComponentClass> classes;
    for (const auto& component : window.Components()) classes.insert(component.Class);
    EXPECT_EQ(classes.size(), ComponentClasses().size());

    EXPECT_EQ(qobject_cast<QLineEdit*>(window.FindComponent("Edit1"))->text(), "typed");
    EXPECT_TRUE(qobject_cast<QLabel*>(window.FindComponent("Label1"))->alignment() &
                Qt::AlignVCenter);
    EXPECT_TRUE(qobject_cast<QPushButton*>(window.FindComponent("Button1"))->isDefault());
    EXPECT_EQ(qobject_cast<QPushButton*>(window.FindComponent("Glyph1"))->text(), "Go");
    EXPECT_EQ(qobject_cast<QCheckBox*>(window.FindComponent("Check1"))->checkState(),
              Qt::PartiallyChecked);
    EXPECT_EQ(qobject_cast<PanelControl*>(window.FindComponent("Panel1"))->BevelInner,
              BevelCut::Lowered);
    EXPECT_EQ(qobject_cast<ShapeControl*>(window.FindComponent("Shape1"))->Shape,
              ShapeKind::Circle);
    EXPECT_EQ(qobject_cast<ClickableShape*>(window.FindComponent("Shape2"))->Shape,
              ShapeKind::Ellipse);
    EXPECT_TRUE(qobject_cast<BevelControl*>(window.FindComponent("Bevel1"))->Raised);
    auto* pages = qobject_cast<QTabWidget*>(window.FindComponent("Pages"));
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->tabText(0), "First");
    // A page keeps the place its control gives it, and takes a font line in any letter case.
    QWidget* page = window.FindComponent("Page1");
    EXPECT_EQ(page->parentWidget()->parentWidget(), pages);
    EXPECT_NE(page->x(), 300);
    EXPECT_EQ(page->font().pixelSize(), 19);
    EXPECT_TRUE(qobject_cast<ImageControl*>(window.FindComponent("Image1"))->Center);
    EXPECT_TRUE(qobject_cast<PictureButton*>(window.FindComponent("Picture1"))->ShowCaption);
    EXPECT_EQ(qobject_cast<JetButton*>(window.FindComponent("Jet1"))->PicSeries(), "Up;Down");
    EXPECT_EQ(qobject_cast<MemoControl*>(window.FindComponent("Memo1"))->verticalScrollBarPolicy(),
              Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(qobject_cast<PreviewControl*>(window.FindComponent("Preview1"))->Stretch());
    EXPECT_TRUE(qobject_cast<ThumbnailList*>(window.FindComponent("List1"))->ShowTitle());
}

}  // namespace
}  // namespace lv
