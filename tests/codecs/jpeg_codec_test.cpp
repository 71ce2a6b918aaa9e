#include <cstdio>
#include <cstdlib>
// clang-format off
#include <jpeglib.h>
// clang-format on
#include <gtest/gtest.h>

#include "codecs/codec_test_util.h"
#include "codecs/picture_codecs.h"
#include "common/error.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

using test::DecodesOrNamesFile;

const std::string Name = "pictures/sea.jpg";

std::string SampleJpeg() { return EncodeJpeg(test::GradientPicture(37, 23), 92); }

// Offset of the first byte after the SOS segment's header: the entropy-coded data.
size_t ScanDataStart(const std::string& jpeg) {
    const size_t sos = jpeg.find("\xFF\xDA");
    const size_t length =
        static_cast<unsigned char>(jpeg[sos + 2]) << 8 | static_cast<unsigned char>(jpeg[sos + 3]);
    return sos + 2 + length;
}

// A progressive JPEG (the codec only writes sequential ones); libjpeg's default error
// handler is fine for this trusted input.
std::string EncodeProgressiveJpeg(const Bitmap32& picture) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(picture.Width());
    info.image_height = static_cast<JDIMENSION>(picture.Height());
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto row = reinterpret_cast<JSAMPROW>(
            const_cast<uint32_t*>(picture.Row(static_cast<int>(info.next_scanline))));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

TEST(JpegCodec, RoundTripKeepsSizeAndColoursWithinTolerance) {
    const Bitmap32 original = test::GradientPicture(37, 23);  // odd sizes: partial MCUs
    const Bitmap32 decoded = DecodeJpeg(EncodeJpeg(original, 95), Name);
    ASSERT_EQ(decoded.Width(), 37);
    ASSERT_EQ(decoded.Height(), 23);
    EXPECT_LE(test::MaxChannelDifference(original, decoded), 12);
    EXPECT_TRUE(test::FourthBytesAreZero(decoded));
}

TEST(JpegCodec, DecodingIntoABitmapReplacesItsContentOrEmptiesIt) {
    const Bitmap32 original = test::GradientPicture(37, 23);
    Bitmap32 target(50, 50);
    target.Fill(0x00ABCDEFu);
    DecodeJpegInto(EncodeJpeg(original, 95), Name, target);
    EXPECT_EQ(target, DecodeJpeg(EncodeJpeg(original, 95), Name));
    EXPECT_THROW(DecodeJpegInto("broken", Name, target), Error);
    EXPECT_TRUE(target.Empty());
}

TEST(JpegCodec, EncodingAnEmptyPictureFails) { EXPECT_THROW(EncodeJpeg(Bitmap32(), 90), Error); }

TEST(JpegCodec, EmptyAndForeignDataNameTheFile) {
    for (const std::string& bytes : {std::string(), std::string("GIF89a........"),
                                     std::string("\xFF\xD8"), std::string(1, '\xFF')}) {
        try {
            DecodeJpeg(bytes, Name);
            ADD_FAILURE() << "decoded " << bytes.size() << " bytes of non-JPEG data";
        } catch (const Error& e) {
            EXPECT_EQ(e.File(), Name);
            EXPECT_NE(std::string(e.what()).find(Name), std::string::npos);
        }
    }
}

TEST(JpegCodec, TruncatedDataIsRefusedNotPadded) {
    const std::string jpeg = SampleJpeg();
    const size_t scan = ScanDataStart(jpeg);
    // Inside the headers, at the start of the scan and inside the scan.
    for (size_t length : {size_t{3}, size_t{20}, scan / 2, scan, scan + 5, (scan + jpeg.size()) / 2,
                          jpeg.size() - 10}) {
        EXPECT_FALSE(
            DecodesOrNamesFile([&] { return DecodeJpeg(jpeg.substr(0, length), Name); }, Name))
            << "length " << length << " of " << jpeg.size();
    }
}

TEST(JpegCodec, ProgressivePictureCutBetweenScansIsRefused) {
    const Bitmap32 original = test::GradientPicture(40, 24);
    const std::string jpeg = EncodeProgressiveJpeg(original);
    EXPECT_LE(test::MaxChannelDifference(original, DecodeJpeg(jpeg, Name)), 12);
    int cuts = 0;
    for (size_t sos = jpeg.find("\xFF\xDA"); sos != std::string::npos;
         sos = jpeg.find("\xFF\xDA", sos + 2)) {
        if (sos == jpeg.find("\xFF\xDA")) continue;  // before the first scan: no picture at all
        ++cuts;
        EXPECT_FALSE(
            DecodesOrNamesFile([&] { return DecodeJpeg(jpeg.substr(0, sos), Name); }, Name))
            << "cut at " << sos;
    }
    EXPECT_GT(cuts, 3);
}

TEST(JpegCodec, MissingEndMarkerAloneStillDecodes) {
    const std::string jpeg = SampleJpeg();
    ASSERT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
    const Bitmap32 decoded = DecodeJpeg(jpeg.substr(0, jpeg.size() - 2), Name);
    EXPECT_EQ(decoded, DecodeJpeg(jpeg, Name));
}

TEST(JpegCodec, HugeDeclaredSizeIsRefusedBeforeDecoding) {
    std::string jpeg = SampleJpeg();
    const size_t sof = jpeg.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    // Height and width at SOF + 5 and + 7: 65000 x 65000.
    jpeg[sof + 5] = jpeg[sof + 7] = static_cast<char>(0xFD);
    jpeg[sof + 6] = jpeg[sof + 8] = static_cast<char>(0xE8);
    try {
        DecodeJpeg(jpeg, Name);
        FAIL() << "a 65000 x 65000 picture was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.File(), Name);
        EXPECT_NE(e.Message().find("too large"), std::string::npos) << e.Message();
    }
}

// The header of `jpeg` declaring width x height, followed by none of its scan data.
std::string HeaderOnly(std::string jpeg, uint16_t width, uint16_t height) {
    size_t sof = jpeg.find("\xFF\xC0");
    if (sof == std::string::npos) sof = jpeg.find("\xFF\xC2");
    jpeg[sof + 5] = static_cast<char>(height >> 8);
    jpeg[sof + 6] = static_cast<char>(height & 0xFF);
    jpeg[sof + 7] = static_cast<char>(width >> 8);
    jpeg[sof + 8] = static_cast<char>(width & 0xFF);
    return jpeg.substr(0, ScanDataStart(jpeg));
}

TEST(JpegCodec, HeaderAloneCostsLittleMemoryWhateverSizeItDeclares) {
    const Bitmap32 original = test::GradientPicture(40, 24);
    const std::string cases[] = {HeaderOnly(EncodeJpeg(original, 90), 10000, 10000),
                                 HeaderOnly(EncodeProgressiveJpeg(original), 10000, 10000)};
    for (const std::string& jpeg : cases) {
        ASSERT_LT(jpeg.size(), 1000u);
        EXPECT_FALSE(DecodesOrNamesFile([&] { return DecodeJpeg(jpeg, Name); }, Name));
        // A whole 10000 x 10000 picture would be 400 MB, its coefficients 600 MB more. The
        // bound leaves room for the sanitizers' own bookkeeping.
        const long growth = test::PeakMemoryGrowthMiB([&] { (void)DecodeJpeg(jpeg, Name); });
        EXPECT_GE(growth, 0);
        EXPECT_LT(growth, 100) << "MiB for a " << jpeg.size() << "-byte file";
    }
}

TEST(JpegCodec, EndlessScansAreCutOff) {
    const std::string jpeg = EncodeProgressiveJpeg(test::GradientPicture(40, 24));
    const size_t lastScan = jpeg.rfind("\xFF\xDA");
    const std::string scan = jpeg.substr(lastScan, jpeg.size() - 2 - lastScan);
    std::string repeated = jpeg.substr(0, jpeg.size() - 2);
    for (int i = 0; i < 600; ++i) repeated += scan;
    repeated += "\xFF\xD9";
    try {
        DecodeJpeg(repeated, Name);
        FAIL() << "600 scans were decoded";
    } catch (const Error& e) {
        EXPECT_NE(e.Message().find("scans"), std::string::npos) << e.Message();
    }
}

TEST(JpegCodec, DamagedDataNeverCrashes) {
    const std::string jpeg = SampleJpeg();
    uint32_t seed = 12345;
    int failures = 0;
    for (int i = 0; i < 400; ++i) {
        const std::string damaged = test::Damaged(jpeg, seed, 2);
        if (!DecodesOrNamesFile([&] { return DecodeJpeg(damaged, Name); }, Name)) ++failures;
    }
    EXPECT_GT(failures, 0);  // the damage does reach the decoder's checks
}

}  // namespace
}  // namespace lv
