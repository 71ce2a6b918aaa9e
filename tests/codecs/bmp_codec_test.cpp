#include <gtest/gtest.h>

#include "codecs/codec_test_util.h"
#include "codecs/picture_codecs.h"
#include "common/error.h"
#include "common/file_util.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

using test::DecodesOrNamesFile;

const std::string Name = "masks/area.bmp";

void PutLE32(std::string& bytes, size_t at, int32_t value) {
    std::string word;
    AppendLE32(word, value);
    bytes.replace(at, 4, word);
}

TEST(BmpCodec, RoundTripIsExactAcrossRowPadding) {
    for (const int width : {1, 2, 3, 4, 5}) {
        const Bitmap32 original = test::GradientPicture(width, 3);
        const std::string bmp = EncodeBmp24(original);
        EXPECT_EQ(bmp.size(), 54u + 3u * ((width * 3 + 3) / 4 * 4));
        EXPECT_EQ(DecodeBmp(bmp, Name), original) << "width " << width;
    }
}

TEST(BmpCodec, TopDownRowsAreReadTopDown) {
    const Bitmap32 original = test::GradientPicture(4, 3);
    std::string bmp = EncodeBmp24(original);
    PutLE32(bmp, 22, -3);  // same rows, now declared top-down
    const Bitmap32 decoded = DecodeBmp(bmp, Name);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(decoded.Pixel(x, y), original.Pixel(x, 2 - y));
}

TEST(BmpCodec, EveryTruncationIsRefused) {
    const std::string bmp = EncodeBmp24(test::GradientPicture(5, 4));
    for (size_t length = 0; length < bmp.size(); ++length)
        EXPECT_FALSE(
            DecodesOrNamesFile([&] { return DecodeBmp(bmp.substr(0, length), Name); }, Name))
            << "length " << length;
}

TEST(BmpCodec, ImpossibleSizesNameTheFile) {
    const std::string bmp = EncodeBmp24(test::GradientPicture(2, 2));
    // width, height: negative, above the side limit, within the limits but far beyond the
    // file, and the pixel-count limit.
    const std::pair<int32_t, int32_t> sizes[] = {
        {-2, 2}, {70000, 1}, {2, 70000}, {10000, 10000}, {40000, 40000}};
    for (const auto& [width, height] : sizes) {
        std::string damaged = bmp;
        PutLE32(damaged, 18, width);
        PutLE32(damaged, 22, height);
        EXPECT_FALSE(DecodesOrNamesFile([&] { return DecodeBmp(damaged, Name); }, Name))
            << width << " x " << height;
    }
}

TEST(BmpCodec, CompressedAndOddDepthsAreRefusedByTheHeader) {
    const std::string bmp = EncodeBmp24(test::GradientPicture(4, 4));
    for (const int32_t compression : {1, 2, 4, 5, -5}) {
        std::string damaged = bmp;
        PutLE32(damaged, 30, compression);
        EXPECT_FALSE(DecodesOrNamesFile([&] { return DecodeBmp(damaged, Name); }, Name))
            << compression;
    }
    std::string twoBit = bmp;
    twoBit[28] = 2;
    EXPECT_FALSE(DecodesOrNamesFile([&] { return DecodeBmp(twoBit, Name); }, Name));
}

TEST(BmpCodec, ForeignDataIsRefused) {
    EXPECT_FALSE(
        DecodesOrNamesFile([] { return DecodeBmp("PK\x03\x04 not a bitmap at all", Name); }, Name));
    EXPECT_FALSE(DecodesOrNamesFile([] { return DecodeBmp("", Name); }, Name));
}

TEST(BmpCodec, DamagedHeadersNeverCrash) {
    // A palette picture too, whose colour table stb reads from the header's numbers.
    Bitmap32 small = test::GradientPicture(6, 5);
    const std::string bmp = EncodeBmp24(small);
    std::string eightBit = bmp.substr(0, 54);
    PutLE32(eightBit, 10, 54 + 256 * 4);
    eightBit[28] = 8;
    for (int i = 0; i < 256; ++i) eightBit += std::string{char(i), char(i), char(i), 0};
    for (int y = 0; y < 5; ++y) eightBit += std::string(8, static_cast<char>(y * 40));
    PutLE32(eightBit, 2, static_cast<int32_t>(eightBit.size()));
    ASSERT_TRUE(DecodesOrNamesFile([&] { return DecodeBmp(eightBit, Name); }, Name));

    uint32_t seed = 777;
    for (const std::string* source : {&bmp, static_cast<const std::string*>(&eightBit)})
        for (int i = 0; i < 400; ++i) {
            // Damage within the two headers, where the sizes and offsets are.
            std::string damaged = test::Damaged(source->substr(0, 54), seed) + source->substr(54);
            DecodesOrNamesFile([&] { return DecodeBmp(damaged, Name); }, Name);
        }
}

}  // namespace
}  // namespace lv
