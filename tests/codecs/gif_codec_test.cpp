#include <gif_lib.h>
#include <gtest/gtest.h>

#include <vector>

#include "codecs/codec_test_util.h"
#include "codecs/picture_codecs.h"
#include "common/error.h"
#include "common/file_util.h"

namespace lv {
namespace {

using test::DecodesOrNamesFile;

const std::string Name = "pictures/boat.gif";
const std::vector<uint32_t> Palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

// What the test GIF holds: one image of palette indices on a logical screen.
struct GifLayout {
    int screenWidth = 4, screenHeight = 3;
    int left = 0, top = 0, width = 4, height = 3;
    bool interlace = false;
    int transparent = NO_TRANSPARENT_COLOR;
    int background = 0;
    std::vector<uint8_t> indices;  // width x height, top row first
};

int AppendToString(GifFileType* gif, const GifByteType* bytes, int count) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
    return count;
}

std::string EncodeGif(const GifLayout& layout) {
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendToString, &error);
    std::vector<GifColorType> colours;
    for (const uint32_t c : Palette)
        colours.push_back({static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                           static_cast<GifByteType>(c)});
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, layout.screenWidth, layout.screenHeight, 8, layout.background, map);
    if (layout.transparent != NO_TRANSPARENT_COLOR) {
        GraphicsControlBlock control{};
        control.TransparentColor = layout.transparent;
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
    }
    EGifPutImageDesc(gif, layout.left, layout.top, layout.width, layout.height, layout.interlace,
                     nullptr);
    std::vector<int> rows;
    if (layout.interlace) {
        for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
            for (int y = start; y < layout.height; y += step) rows.push_back(y);
    } else {
        for (int y = 0; y < layout.height; ++y) rows.push_back(y);
    }
    for (const int y : rows)
        EGifPutLine(gif,
                    const_cast<GifPixelType*>(layout.indices.data() +
                                              static_cast<size_t>(y) * layout.width),
                    layout.width);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

std::vector<uint8_t> Pattern(int width, int height) {
    std::vector<uint8_t> indices;
    for (int i = 0; i < width * height; ++i)
        indices.push_back(static_cast<uint8_t>((i * 7 + i / width) % 4));
    return indices;
}

TEST(GifCodec, DecodesPaletteColoursExactly) {
    GifLayout layout;
    layout.indices = Pattern(4, 3);
    const Bitmap32 picture = DecodeGif(EncodeGif(layout), Name);
    ASSERT_EQ(picture.Width(), 4);
    ASSERT_EQ(picture.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(picture.Pixel(x, y), Palette[layout.indices[static_cast<size_t>(y * 4 + x)]]);
}

TEST(GifCodec, InterlacedRowsLandInTheirPlaces) {
    GifLayout plain;
    plain.screenWidth = plain.width = 3;
    plain.screenHeight = plain.height = 11;  // every interlace pass has rows
    plain.indices = Pattern(3, 11);
    GifLayout interlaced = plain;
    interlaced.interlace = true;
    EXPECT_EQ(DecodeGif(EncodeGif(interlaced), Name), DecodeGif(EncodeGif(plain), Name));
}

TEST(GifCodec, ImageSitsAtItsPlaceOnTheBackground) {
    GifLayout layout;
    layout.screenWidth = 5;
    layout.screenHeight = 4;
    layout.left = 3;
    layout.top = 1;
    layout.width = 2;
    layout.height = 2;
    layout.background = 2;
    layout.transparent = 3;
    layout.indices = {1, 3, 3, 1};
    const Bitmap32 picture = DecodeGif(EncodeGif(layout), Name);
    const uint32_t back = Palette[2], red = Palette[1];
    EXPECT_EQ(picture.Pixel(0, 0), back);
    EXPECT_EQ(picture.Pixel(3, 1), red);
    EXPECT_EQ(picture.Pixel(4, 1), back);  // transparent
    EXPECT_EQ(picture.Pixel(3, 2), back);
    EXPECT_EQ(picture.Pixel(4, 2), red);
    EXPECT_EQ(picture.Pixel(4, 3), back);
}

TEST(GifCodec, ZeroScreenSizeTakesTheImageSize) {
    GifLayout layout;
    layout.screenWidth = layout.screenHeight = 0;
    layout.indices = Pattern(4, 3);
    const Bitmap32 picture = DecodeGif(EncodeGif(layout), Name);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Height(), 3);
}

TEST(GifCodec, EveryTruncationBeforeTheTrailerIsRefused) {
    GifLayout layout;
    layout.screenWidth = layout.width = 9;
    layout.screenHeight = layout.height = 7;
    layout.indices = Pattern(9, 7);
    const std::string gif = EncodeGif(layout);
    ASSERT_EQ(gif.back(), ';');
    for (size_t length = 0; length + 1 < gif.size(); ++length)
        EXPECT_FALSE(
            DecodesOrNamesFile([&] { return DecodeGif(gif.substr(0, length), Name); }, Name))
            << "length " << length << " of " << gif.size();
    // The first image is complete without the trailer.
    EXPECT_EQ(DecodeGif(gif.substr(0, gif.size() - 1), Name), DecodeGif(gif, Name));
}

TEST(GifCodec, HugeDeclaredSizesAreRefused) {
    GifLayout layout;
    layout.indices = Pattern(4, 3);
    const std::string gif = EncodeGif(layout);
    auto patched = [&](size_t at, uint16_t value, size_t at2 = 0) {
        std::string copy = gif;
        for (const size_t where : {at, at2 ? at2 : at}) {
            copy[where] = static_cast<char>(value & 0xFF);
            copy[where + 1] = static_cast<char>(value >> 8);
        }
        return copy;
    };
    const size_t descriptor = gif.find(',');  // image separator
    ASSERT_NE(descriptor, std::string::npos);
    const std::string cases[] = {
        patched(6, 65535, 8),                            // screen 65535 x 65535
        patched(descriptor + 5, 65535),                  // image width
        patched(descriptor + 5, 65535, descriptor + 7),  // image 65535 x 65535
        patched(descriptor + 7, 30000),                  // image height: the data ends long before
    };
    for (const std::string& damaged : cases) {
        try {
            DecodeGif(damaged, Name);
            ADD_FAILURE() << "case " << &damaged - cases
                          << ": accepted a size its data cannot fill";
        } catch (const Error& e) {
            EXPECT_EQ(e.File(), Name);
        }
    }
}

TEST(GifCodec, ImageThatEndsEarlyCostsLittleMemoryWhateverSizeItDeclares) {
    GifLayout layout;
    layout.screenWidth = layout.width = 10000;
    layout.screenHeight = layout.height = 2;
    layout.indices = Pattern(10000, 2);
    std::string gif = EncodeGif(layout);
    const size_t descriptor = gif.find(',');
    for (const size_t at : {size_t{8}, descriptor + 7}) {  // screen and image height 9999
        gif[at] = 0x0F;
        gif[at + 1] = 0x27;
    }
    EXPECT_FALSE(DecodesOrNamesFile([&] { return DecodeGif(gif, Name); }, Name));
    // The whole picture would take 400 MB; the data holds two lines.
    const long growth = test::PeakMemoryGrowthMiB([&] { (void)DecodeGif(gif, Name); });
    EXPECT_GE(growth, 0);
    EXPECT_LT(growth, 100);
}

TEST(GifCodec, EmptyOrForeignDataNamesTheFile) {
    for (const char* bytes : {"", "GIF", "GIF89a", "\x89PNG\r\n\x1a\n"})
        EXPECT_FALSE(DecodesOrNamesFile([&] { return DecodeGif(bytes, Name); }, Name)) << bytes;
}

TEST(GifCodec, DamagedDataNeverCrashes) {
    GifLayout layout;
    layout.screenWidth = layout.width = 12;
    layout.screenHeight = layout.height = 9;
    layout.transparent = 1;
    layout.indices = Pattern(12, 9);
    const std::string gif = EncodeGif(layout);
    uint32_t seed = 99;
    for (int i = 0; i < 600; ++i) {
        const std::string damaged = test::Damaged(gif, seed);
        DecodesOrNamesFile([&] { return DecodeGif(damaged, Name); }, Name);
    }
}

}  // namespace
}  // namespace lv
