#include "gui/forms/picture_data.h"

#include <gtest/gtest.h>

#include <string>

#include "codecs/picture_codecs.h"
#include "common/error.h"
#include "common/file_util.h"
#include "gui/forms/component_text.h"

namespace lv {
namespace {

std::string ErrorOf(auto&& call) {
    try {
        call();
    } catch (const Error& e) {
        return e.Message();
    }
    return "";
}

std::string LengthPrefixed(const std::string& file) {
    std::string out;
    AppendLE32(out, static_cast<int32_t>(file.size()));
    return out + file;
}

TEST(PictureData, SplitsClassNameAndData) {
    const StoredPicture empty = DecodePictureData("\x07TBitmap", "p");
    EXPECT_EQ(empty.ClassName, "TBitmap");
    EXPECT_TRUE(empty.Data.empty());
    EXPECT_TRUE(DecodeStoredPicture(empty, "p").Empty());
    const StoredPicture full = DecodePictureData(std::string("\x0ATJPEGImage\x01\x02", 13), "p");
    EXPECT_EQ(full.ClassName, "TJPEGImage");
    EXPECT_EQ(full.Data, "\x01\x02");
    EXPECT_EQ(DecodePictureData(std::string(1, '\0'), "p").ClassName, "");

    EXPECT_EQ(ErrorOf([] { DecodePictureData("", "p"); }), "picture data holds no class name");
    EXPECT_EQ(ErrorOf([] { DecodePictureData("\x08TBitmap", "p"); }),
              "picture class name of 8 bytes runs past the 8 bytes of picture data");
}

TEST(PictureData, BitmapDataIsALengthAndAFile) {
    EXPECT_EQ(DecodeBitmapData("", "b"), "");
    EXPECT_EQ(DecodeBitmapData(std::string(4, '\0'), "b"), "");
    EXPECT_EQ(DecodeBitmapData(LengthPrefixed("abcde"), "b"), "abcde");
    // Bytes after the stated length are not part of the file.
    EXPECT_EQ(DecodeBitmapData(LengthPrefixed("abc") + "zz", "b"), "abc");
    EXPECT_EQ(ErrorOf([] { DecodeBitmapData(std::string("\x01\0\0", 3), "b"); }),
              "bitmap data of 3 bytes is too short for its length");
    EXPECT_EQ(ErrorOf([] { DecodeBitmapData(std::string("\x06\0\0\0abc", 7), "b"); }),
              "bitmap length 6 does not fit the 3 bytes that follow it");
    EXPECT_EQ(ErrorOf([] { DecodeBitmapData(std::string("\xFF\xFF\xFF\xFF", 4), "b"); }),
              "bitmap length -1 does not fit the 0 bytes that follow it");
}

TEST(PictureData, DecodesPicturesOfOddSizesFromComponentText) {
    Bitmap32 source(3, 2);  // 3 pixels of 24 bits: rows padded, an odd byte count overall
    source.SetPixel(0, 0, 0xFF0000);
    source.SetPixel(2, 1, 0x0000FF);
    const std::string bmp = EncodeBmp24(source);
    const std::string data = "\x07TBitmap" + LengthPrefixed(bmp);
    std::string hex;
    constexpr char Digits[] = "0123456789ABCDEF";
    for (size_t i = 0; i < data.size(); ++i) {
        if (i % 32 == 0) hex += "\n      ";
        hex += Digits[static_cast<unsigned char>(data[i]) >> 4];
        hex += Digits[static_cast<unsigned char>(data[i]) & 15];
    }
    const ComponentNode node = ParseComponentText(
        "object P: TLVPreview\n  Picture.Data = {" + hex + "}\nend\n", "gui.lvu");
    const StoredPicture picture =
        DecodePictureData(node.FindProperty("Picture.Data")->Value.Text, "gui.lvu");
    const Bitmap32 decoded = DecodeStoredPicture(picture, "gui.lvu");
    EXPECT_EQ(decoded, source);
    EXPECT_EQ(DecodeBitmapProperty(LengthPrefixed(bmp), "b"), source);
    EXPECT_TRUE(DecodeBitmapProperty("", "b").Empty());
}

TEST(PictureData, RecognisesJpegDataAndRefusesTheRest) {
    Bitmap32 grey(8, 8);
    grey.Fill(0x808080);
    const std::string jpeg = EncodeJpeg(grey, 90);
    const Bitmap32 prefixed = DecodeStoredPicture({"TJPEGImage", LengthPrefixed(jpeg)}, "j");
    EXPECT_EQ(prefixed.Width(), 8);
    EXPECT_EQ(DecodeStoredPicture({"TJPEGImage", jpeg}, "j").Height(), 8);
    EXPECT_TRUE(DecodeStoredPicture({"TBitmap", std::string(4, '\0')}, "j").Empty());
    EXPECT_EQ(ErrorOf([] {
                  DecodeStoredPicture({"TIcon", std::string("\0\0\x01\0junk", 8)}, "i");
              }),
              "unsupported picture data of class TIcon");
    // A damaged file inside the data fails with the decoder's error, naming the source.
    try {
        DecodeStoredPicture({"TBitmap", LengthPrefixed("BM\x10")}, "gui.lvu: Preview");
        FAIL() << "damaged bitmap decoded";
    } catch (const Error& e) {
        EXPECT_EQ(e.File(), "gui.lvu: Preview");
    }
}

}  // namespace
}  // namespace lv
