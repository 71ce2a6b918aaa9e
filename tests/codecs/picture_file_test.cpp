#include "codecs/picture_file.h"

#include <gtest/gtest.h>

#include "codecs/codec_test_util.h"
#include "codecs/picture_codecs.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

using test::DecodesOrNamesFile;

TEST(PictureFileKind, GoesByTheExtensionInAnyCase) {
    for (const char* plain :
         {"/w/sea.jpg", "/w/sea.JpG", "C:\\Pics\\sea.BMP", "sea.gif", "/w/.jpg"})
        EXPECT_EQ(PictureFileKindOf(plain), PictureFileKind::PlainPicture) << plain;
    for (const char* package : {"/w/sea.lvp", "/w/sea.jpg.LVP", "C:\\sea.Lvp"})
        EXPECT_EQ(PictureFileKindOf(package), PictureFileKind::ImagePackage) << package;
    // A .jpeg is no plain picture: the show loads it as an image package, which fails.
    for (const char* other : {"/w/sea.jpeg", "/w/sea.jpe", "/w/sea", "/w.jpg/sea", "C:\\w.jpg\\sea",
                              "/w/sea.", "/w/sea.jpg ", ""})
        EXPECT_EQ(PictureFileKindOf(other), PictureFileKind::Other) << other;
}

TEST(PictureFile, PicksTheDecoderByExtensionAndNamesTheFile) {
    const test::TempDir dir;
    const Bitmap32 picture = test::GradientPicture(3, 2);
    const std::string bmpPath = dir.Write("Picture.BMP", EncodeBmp24(picture));
    EXPECT_EQ(LoadPictureFile(bmpPath), picture);
    const std::string jpegPath = dir.Write("photo.jpeg", EncodeJpeg(picture, 90));
    EXPECT_EQ(LoadPictureFile(jpegPath).Width(), 3);
    // A BMP named .jpg goes to the JPEG decoder, which refuses it.
    const std::string wrongPath = dir.Write("wrong.jpg", EncodeBmp24(picture));
    EXPECT_FALSE(DecodesOrNamesFile([&] { return LoadPictureFile(wrongPath); }, wrongPath));
    const std::string missing = dir.File("missing.gif");
    EXPECT_FALSE(DecodesOrNamesFile([&] { return LoadPictureFile(missing); }, missing));
    const std::string other = dir.Write("notes.txt", "text");
    EXPECT_FALSE(DecodesOrNamesFile([&] { return LoadPictureFile(other); }, other));
}

}  // namespace
}  // namespace lv
