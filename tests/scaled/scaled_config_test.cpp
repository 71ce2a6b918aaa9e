// The configuration window on a screen scaled by 2: laid out in logical pixels as its
// definition says, with a preview and thumbnails made at device pixels.
#include <gtest/gtest.h>

#include "gui/qt/config/config_window.h"
#include "gui/qt/config_fixture.h"
#include "gui/qt/controls/preview_control.h"
#include "gui/qt/controls/thumbnail_list.h"
#include "scaled/pixel_compare.h"
#include "scaled/scaled_screen.h"

namespace lv {
namespace {

TEST(ScaledConfigWindow, KeepsItsLayoutInLogicalPixelsAndShowsSharpPictures) {
    test::ConfigFixture saver(3);
    saver.LoadForms(test::FormRecord(test::MainWindowLines({}), {}), 1);
    bool opened = false;
    saver.whileOpen = [&](ConfigWindow& window) {
        opened = true;
        auto* preview =
            qobject_cast<PreviewControl*>(window.FindComponent(QStringLiteral("Preview")));
        auto* thumbs = qobject_cast<ThumbnailList*>(window.FindComponent(QStringLiteral("Thumbs")));
        ASSERT_NE(preview, nullptr);
        ASSERT_NE(thumbs, nullptr);

        // The definition's figures are logical pixels.
        EXPECT_EQ(preview->geometry(), QRect(0, 130, 80, 60));
        EXPECT_EQ(thumbs->CellRect(0, 0), QRect(0, 0, 60, 50));

        // The preview is made at its device size and painted pixel for pixel.
        const QImage& picture = preview->Picture();
        EXPECT_EQ(picture.size(), QSize(160, 120));
        EXPECT_EQ(picture.devicePixelRatio(), test::ScaleFactor);
        const QImage previewShot = preview->grab().toImage();
        EXPECT_EQ(previewShot.size(), QSize(160, 120));
        EXPECT_EQ(test::DifferingPixels(previewShot, {0, 0}, picture), 0);

        // So is every thumbnail, at (15, 15) logical in its cell; the check box covers its
        // lower left corner from 21 logical rows down.
        const QImage& thumbnail = thumbs->Thumbnail(0);
        EXPECT_EQ(thumbnail.size(), QSize(80, 60));
        EXPECT_EQ(thumbnail.devicePixelRatio(), test::ScaleFactor);
        const QImage listShot = thumbs->viewport()->grab().toImage();
        EXPECT_EQ(test::DifferingPixels(listShot, {30, 30}, thumbnail.copy(0, 0, 80, 42)), 0);
    };
    saver.Show("MainWindow");
    EXPECT_TRUE(opened);
}

}  // namespace
}  // namespace lv
