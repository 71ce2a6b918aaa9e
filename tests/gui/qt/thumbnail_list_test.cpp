#include "gui/qt/controls/thumbnail_list.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "codecs/picture_codecs.h"
#include "gui/qt/controls/qt_bitmap.h"
#include "project/package_fixtures.h"
#include "project/package_writer.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

class ThumbnailListTest : public ::testing::Test {
protected:
    // `count` small BMP pictures of different colours.
    std::vector<std::string> Pictures(int count) {
        std::vector<std::string> files;
        for (int i = 0; i < count; ++i) {
            Bitmap32 picture(16, 12);
            picture.Fill(static_cast<uint32_t>(0x100000 * (i + 1)));
            files.push_back(
                folder_.Write("picture" + std::to_string(i) + ".bmp", EncodeBmp24(picture)));
        }
        return files;
    }

    test::TempDir folder_;
};

TEST_F(ThumbnailListTest, LaysItemsOutInRowsThatFitTheWidth) {
    const auto files = Pictures(6);
    ThumbnailList list;
    EXPECT_EQ(list.size(), QSize(350, 250));
    list.SetFiles(&files);
    EXPECT_EQ(list.ColWidth(), 100);
    EXPECT_EQ(list.RowHeight(), 80);
    EXPECT_EQ(list.ColCount(), 3);
    EXPECT_EQ(list.RowCount(), 2);

    list.SetShowTitle(true);
    EXPECT_EQ(list.RowHeight(), 110);
    list.SetPictureWidth(150);
    EXPECT_EQ(list.ColCount(), 2);
    EXPECT_EQ(list.RowCount(), 3);

    list.show();
    list.resize(100, 250);  // narrower than one column: still one
    EXPECT_EQ(list.ColCount(), 1);
    EXPECT_EQ(list.RowCount(), 6);
}

TEST_F(ThumbnailListTest, SingleRowScrollsHorizontally) {
    const auto files = Pictures(6);
    ThumbnailList list;
    list.SetMultiRows(false);
    list.SetFiles(&files);
    EXPECT_EQ(list.ColCount(), 6);
    EXPECT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(list.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    const std::vector<std::string> none;
    list.SetFiles(&none);
    EXPECT_EQ(list.ColCount(), 1);
    EXPECT_EQ(list.RowCount(), 1);
}

TEST_F(ThumbnailListTest, MissingOrUnreadableFilesKeepAnEmptyPlace) {
    auto files = Pictures(3);
    files.insert(files.begin() + 1, folder_.File("missing.jpg"));
    files.insert(files.begin() + 2, folder_.Write("damaged.gif", "GIF89a"));
    files.insert(files.begin() + 3, folder_.Write("notes.txt", "text"));
    ThumbnailList list;
    list.SetFiles(&files);
    ASSERT_EQ(list.ItemCount(), 6);
    EXPECT_FALSE(list.Thumbnail(0).isNull());
    EXPECT_TRUE(list.Thumbnail(1).isNull());
    EXPECT_TRUE(list.Thumbnail(2).isNull());
    EXPECT_TRUE(list.Thumbnail(3).isNull());
    EXPECT_EQ(list.Title(1), "");
    EXPECT_EQ(list.Title(4), "picture1.bmp");
    EXPECT_EQ(list.Thumbnail(4).size(), QSize(80, 60));
    // Item 4's thumbnail is picture 1's colour, not the next picture's.
    EXPECT_EQ(FromQImage(list.Thumbnail(4)).Pixel(40, 30), 0x200000u);
}

TEST_F(ThumbnailListTest, PackagesGiveTheirStoredThumbnailAndTitle) {
    std::vector<std::string> files = Pictures(1);
    files.push_back(folder_.Write("harbour.LVP", BuildImagePackage(test::SampleContents())));
    ThumbnailList list;
    list.SetPictureHeight(50);
    list.SetFiles(&files);
    EXPECT_EQ(list.Title(1), "Harbour at dusk");
    EXPECT_EQ(list.Thumbnail(1).size(), QSize(80, 50));
    EXPECT_EQ(list.RowHeight(), 70);
}

TEST_F(ThumbnailListTest, ClicksSelectAndToggleCheckBoxes) {
    const auto files = Pictures(5);
    ThumbnailList list;
    list.SetShowCheckBox(true);
    list.SetFiles(&files);
    list.show();
    QSignalSpy selections(&list, &ThumbnailList::ItemSelected);

    // Row 1, column 2 holds no item: the last item is selected.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.CellRect(2, 1).center());
    ASSERT_EQ(selections.count(), 1);
    EXPECT_EQ(selections.last()[0].toInt(), 4);
    EXPECT_EQ(list.CurrentItem(), 4);

    // Inside item 1's check box: the mark toggles and the cell becomes current.
    const QRect cell = list.CellRect(1, 0);
    const QPoint box = cell.topLeft() + QPoint(18, list.PictureHeight() + 10);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, box);
    EXPECT_TRUE(list.ItemChecked(1));
    EXPECT_EQ(selections.last()[0].toInt(), 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, box);
    EXPECT_FALSE(list.ItemChecked(1));
    // A click outside the box only selects.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.CellRect(0, 0).center());
    EXPECT_FALSE(list.ItemChecked(0));
}

TEST_F(ThumbnailListTest, SettingTheCurrentItemMovesRowThenColumn) {
    const auto files = Pictures(6);
    ThumbnailList list;
    QSignalSpy selections(&list, &ThumbnailList::ItemSelected);
    list.SetCurrentItem(4);  // before a list is attached nothing is reported
    EXPECT_EQ(selections.count(), 0);

    list.SetFiles(&files);
    list.SetCurrentItem(4);
    ASSERT_EQ(selections.count(), 2);
    EXPECT_EQ(selections[0][0].toInt(), 3);  // row 1, column 0
    EXPECT_EQ(selections[1][0].toInt(), 4);
    EXPECT_EQ(list.CurrentRow(), 1);
    EXPECT_EQ(list.CurrentCol(), 1);
    list.SetCurrentItem(4);
    EXPECT_EQ(selections.count(), 2);
}

TEST_F(ThumbnailListTest, MixDarkensTheBaseColour) {
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    EXPECT_EQ(ThumbnailList::Mix(black, white, 20), QColor(204, 204, 204));
    EXPECT_EQ(ThumbnailList::Mix(black, white, 5), QColor(243, 243, 243));
    EXPECT_EQ(ThumbnailList::Mix(QColor(10, 20, 30), QColor(1, 2, 3), 0), QColor(1, 2, 3));
    EXPECT_EQ(ThumbnailList::Mix(black, QColor(100, 100, 100), 100), QColor(0, 0, 0));  // clamped
    EXPECT_EQ(ThumbnailList::Mix(QColor(0, 120, 215), white, 100), QColor(0, 120, 215));
}

TEST_F(ThumbnailListTest, DrawsFramesAndThumbnailsWhereTheCellSays) {
    const auto files = Pictures(2);
    ThumbnailList list;
    list.SetFiles(&files);
    list.show();
    const QImage picture = list.viewport()->grab().toImage();
    const QRect second = list.CellRect(1, 0);  // not the current cell
    const auto at = [&](int x, int y) {
        return QColor(picture.pixel(second.left() + x, second.top() + y));
    };
    EXPECT_EQ(at(5, 5), QColor(255, 255, 255));    // the cell's background
    EXPECT_EQ(at(10, 10), QColor(204, 204, 204));  // frame pen: Mix(black, white, 20)
    EXPECT_EQ(at(12, 12), QColor(243, 243, 243));  // frame brush: Mix(black, white, 5)
    EXPECT_EQ(at(15, 15), QColor(0x20, 0, 0));     // thumbnail at (15, 15)
    EXPECT_EQ(at(94, 74), QColor(0x20, 0, 0));
    EXPECT_EQ(at(99, 79), QColor(204, 204, 204));  // the frame's far corner
}

}  // namespace
}  // namespace lv
