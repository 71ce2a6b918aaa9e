#include "project/package_writer.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/file_util.h"
#include "project/area_mask.h"
#include "project/package_fixtures.h"

namespace lv {
namespace {

std::string LE(std::initializer_list<int32_t> words) {
    std::string out;
    for (const int32_t w : words) AppendLE32(out, w);
    return out;
}

TEST(BuildImagePackage, WritesTheItemsByteForByte) {
    PackageContents contents;
    contents.PictureName = "Bay";
    contents.Comment = "";
    contents.ThumbnailJpeg = "TJ";
    contents.Waves = {test::ExampleWave()};
    contents.MaskWords = {2, 1, 20};
    contents.PictureJpeg = "PIC";
    contents.Weather = {1, 2, 3, 4, 5, 0};
    contents.TrailingZeroBytes = 1000;

    std::string expected = "LV060697";
    expected += LE({3}) + "Bay" + LE({0}) + LE({2}) + "TJ" + LE({1});
    expected += LE({6, 17, 15, 1}) + std::string("\x00\x01\x01\x00", 4) + LE({360, 0, 0});
    expected += LE({3, 2, 1, 20}) + LE({3}) + "PIC" + LE({10}) + "<No Sound>";
    expected += LE({1, 2, 3, 4, 5, 0}) + std::string(1000, '\0');
    EXPECT_EQ(BuildImagePackage(contents), expected);
}

TEST(BuildImagePackage, RefusesMoreThanFourWaveRecords) {
    PackageContents contents;
    contents.Waves.resize(5);
    EXPECT_THROW(BuildImagePackage(contents), Error);
}

TEST(EncodeAreaMask, RunsContinueAcrossRowEnds) {
    Bitmap32 mask(3, 2);
    const uint32_t b = ColourOfArea(1), y = ColourOfArea(4);
    const uint32_t pixels[] = {0, b, b, b, y, y};
    std::copy(std::begin(pixels), std::end(pixels), mask.Data());
    EXPECT_EQ(EncodeAreaMask(mask), (std::vector<int32_t>{3, 2, 10, 31, 24}));
}

TEST(EncodeAreaMask, OtherColoursBelongToNoArea) {
    Bitmap32 mask(4, 1);
    // White, a blue with a fourth byte, a near-blue, then area 2.
    const uint32_t pixels[] = {0x00FFFFFFu, 0xFF0000FFu, 0x000000FEu, ColourOfArea(2)};
    std::copy(std::begin(pixels), std::end(pixels), mask.Data());
    EXPECT_EQ(EncodeAreaMask(mask), (std::vector<int32_t>{4, 1, 30, 12}));
}

TEST(EncodeAreaMask, DecodingGivesTheMaskBack) {
    const Bitmap32 mask = test::AreaPicture(23, 17);
    AreaMask decoded;
    DecodeAreaMask(EncodeAreaMask(mask), decoded);
    EXPECT_EQ(decoded.ToColours(), mask);
}

TEST(EmptyAreaMask, IsOneRunOfNoAreaOverThePicture) {
    EXPECT_EQ(EmptyAreaMask(640, 480), (std::vector<int32_t>{640, 480, 640 * 480 * 10}));
    EXPECT_EQ(EmptyAreaMask(0, 0), (std::vector<int32_t>{0, 0, 0}));
    // The largest picture still fits one word.
    EXPECT_EQ(EmptyAreaMask(10000, 10000)[2], 1'000'000'000);
    EXPECT_THROW(EmptyAreaMask(-1, 5), Error);
}

}  // namespace
}  // namespace lv
