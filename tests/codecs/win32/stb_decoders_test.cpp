// The Windows decoders (stb_image behind the core's decoder functions) against the rules the
// Linux decoders keep: size limits before any pixel memory, truncated data refused rather than
// padded, and the same errors for the inputs fuzzing once found. Pixel-exact comparisons with
// libjpeg and giflib output stay in the Linux suite, where those libraries exist.
#include <gtest/gtest.h>

#include <string>

#include "codecs/picture_codecs.h"
#include "common/error.h"
#include "common/file_util.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

const std::string Name = "pictures/sea.jpg";

// The first byte of a fuzz input picks the decoder; the rest is the file.
std::string FuzzInput(const std::string& folder, const std::string& file) {
    return ReadFileBytes(std::string(LV_SOURCE_DIR) + "/fuzz/" + folder + "/fuzz_picture/" + file)
        .substr(1);
}

std::string ErrorOf(const std::function<void()>& decode, const std::string& name) {
    try {
        decode();
    } catch (const Error& e) {
        EXPECT_EQ(e.File(), name) << e.what();
        return e.Message();
    }
    return "decoded";
}

// Offset of the first byte after the SOS segment's header: the entropy-coded data.
size_t ScanDataStart(const std::string& jpeg) {
    const size_t sos = jpeg.find("\xFF\xDA");
    const size_t length =
        static_cast<unsigned char>(jpeg[sos + 2]) << 8 | static_cast<unsigned char>(jpeg[sos + 3]);
    return sos + 2 + length;
}

TEST(StbDecoders, FuzzFoundInputsGiveTheLinuxErrors) {
    const std::string gif = FuzzInput("regressions", "gif-declares-10000x9999-holds-2-lines");
    EXPECT_EQ(ErrorOf([&] { DecodeGif(gif, "a.gif"); }, "a.gif"),
              "GIF error: Image EOF detected before image complete");
    const std::string progressive =
        FuzzInput("regressions", "progressive-jpeg-header-declares-10000x10000");
    EXPECT_EQ(ErrorOf([&] { DecodeJpeg(progressive, Name); }, Name),
              "JPEG error: the picture needs a whole-picture buffer larger than its data can fill");
    const std::string sequential =
        FuzzInput("regressions", "sequential-jpeg-header-declares-10000x10000");
    EXPECT_EQ(ErrorOf([&] { DecodeJpeg(sequential, Name); }, Name),
              "JPEG error: Premature end of JPEG file");
    const Bitmap32 seed = DecodeJpeg(FuzzInput("corpus", "jpeg"), Name);
    EXPECT_FALSE(seed.Empty());
    EXPECT_FALSE(DecodeBmp(FuzzInput("corpus", "bmp"), "a.bmp").Empty());
}

TEST(StbDecoders, JpegRoundTripStaysCloseAndKeepsTheFourthByteZero) {
    const Bitmap32 original = test::GradientPicture(37, 23);  // odd sizes: partial blocks
    const Bitmap32 decoded = DecodeJpeg(EncodeJpeg(original, 95), Name);
    ASSERT_EQ(decoded.Width(), 37);
    ASSERT_EQ(decoded.Height(), 23);
    EXPECT_LE(test::MaxChannelDifference(original, decoded), 16);
    EXPECT_TRUE(test::FourthBytesAreZero(decoded));
    Bitmap32 target(50, 50);
    DecodeJpegInto(EncodeJpeg(original, 95), Name, target);
    EXPECT_EQ(target, decoded);
    EXPECT_THROW(DecodeJpegInto("broken", Name, target), Error);
    EXPECT_TRUE(target.Empty());
}

TEST(StbDecoders, TruncatedJpegIsRefusedButAMissingEndMarkerAloneIsNot) {
    const std::string jpeg = EncodeJpeg(test::GradientPicture(64, 48), 92);
    const size_t scan = ScanDataStart(jpeg);
    for (size_t length : {size_t{0}, size_t{3}, size_t{20}, scan / 2, scan, scan + 5,
                          (scan + jpeg.size()) / 2, jpeg.size() - 10})
        EXPECT_NE(ErrorOf([&] { DecodeJpeg(jpeg.substr(0, length), Name); }, Name), "decoded")
            << "length " << length << " of " << jpeg.size();
    ASSERT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
    EXPECT_EQ(DecodeJpeg(jpeg.substr(0, jpeg.size() - 2), Name), DecodeJpeg(jpeg, Name));
}

TEST(StbDecoders, HugeDeclaredJpegSizeIsRefusedByTheLimits) {
    std::string jpeg = EncodeJpeg(test::GradientPicture(16, 16), 90);
    const size_t sof = jpeg.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    jpeg[sof + 5] = jpeg[sof + 7] = static_cast<char>(0xFD);  // 65000 x 65000
    jpeg[sof + 6] = jpeg[sof + 8] = static_cast<char>(0xE8);
    EXPECT_NE(ErrorOf([&] { DecodeJpeg(jpeg, Name); }, Name).find("too large"), std::string::npos);
}

TEST(StbDecoders, GifIsDrawnOverItsBackgroundAndEveryTruncationIsRefused) {
    // A 3 x 2 screen with a red background; a 2 x 1 image at (1, 1): green, then transparent.
    const std::string gif = std::string("GIF89a\x03\x00\x02\x00\x81\x01\x00", 13) +
                            std::string("\x00\x00\x00\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF", 12) +
                            std::string("!\xF9\x04\x01\x00\x00\x03\x00", 8) +
                            std::string(",\x01\x00\x01\x00\x02\x00\x01\x00\x00", 10) +
                            std::string("\x02\x02\xD4\x0A\x00;", 6);
    const Bitmap32 picture = DecodeGif(gif, "a.gif");
    ASSERT_EQ(picture.Width(), 3);
    ASSERT_EQ(picture.Height(), 2);
    EXPECT_EQ(picture.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(picture.Pixel(1, 1), 0x00FF00u);
    EXPECT_EQ(picture.Pixel(2, 1), 0xFF0000u);  // transparent: the background shows
    for (size_t length = 0; length + 1 < gif.size(); ++length)
        EXPECT_NE(ErrorOf([&] { DecodeGif(gif.substr(0, length), "a.gif"); }, "a.gif"), "decoded")
            << "length " << length;
    EXPECT_EQ(DecodeGif(gif.substr(0, gif.size() - 1), "a.gif"), picture);
}

}  // namespace
}  // namespace lv
