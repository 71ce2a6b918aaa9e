// Damaged packages: every failure is an lv::Error naming the file, nothing crashes, and no
// length read from the file is trusted before it has been checked against the file's size.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "common/error.h"
#include "common/file_util.h"
#include "project/image_package.h"
#include "project/package_fixtures.h"

namespace lv {
namespace {

// Where each item of a built package starts.
struct Layout {
    explicit Layout(const PackageContents& c) {
        name = 8;
        comment = name + 4 + c.PictureName.size();
        thumbnail = comment + 4 + c.Comment.size();
        waveCount = thumbnail + 4 + c.ThumbnailJpeg.size();
        maskLength = waveCount + 4 + 32 * c.Waves.size();
        picture = maskLength + 4 + 4 * c.MaskWords.size();
        sound = picture + 4 + c.PictureJpeg.size();
        weather = sound + 4 + c.SoundFile.size();
        end = weather + 24;
    }
    size_t name, comment, thumbnail, waveCount, maskLength, picture, sound, weather, end;
};

class DamagedPackage : public ::testing::Test {
protected:
    DamagedPackage() : contents(test::SampleContents()), layout(contents) {
        bytes = BuildImagePackage(contents);
    }

    std::string Patched(size_t at, int32_t value) const {
        std::string copy = bytes, word;
        AppendLE32(word, value);
        copy.replace(at, 4, word);
        return copy;
    }

    // Loads `package`; expects a failure of type E with `message` naming the file, and the
    // project left empty.
    template <typename E>
    void ExpectFailure(const std::string& package, const std::string& message,
                       const std::string& what) {
        const std::string path = dir.Write("damaged.lvp", package);
        ImagePackage project;
        try {
            project.Load(path);
            ADD_FAILURE() << what << ": loaded";
        } catch (const E& e) {
            EXPECT_EQ(e.Message(), message) << what;
            EXPECT_EQ(e.File(), path) << what;
        } catch (const std::exception& e) {
            ADD_FAILURE() << what << ": unexpected " << e.what();
        }
        EXPECT_FALSE(project.Loaded);
        EXPECT_TRUE(project.Picture.Empty() && project.Mask.Empty() && project.Thumbnail.Empty());
    }

    test::TempDir dir;
    PackageContents contents;
    Layout layout;
    std::string bytes;
};

TEST_F(DamagedPackage, EveryTruncationRaisesReadError) {
    ASSERT_EQ(bytes.size(), layout.end + 1000);
    const std::string path = dir.Write("cut.lvp", bytes.substr(0, layout.end));
    ImagePackage project;
    project.Load(path);  // nothing after the weather record is needed
    ASSERT_TRUE(project.Loaded);
    // From the whole package down to nothing, one byte at a time: every item boundary and
    // every place inside an item.
    for (size_t length = layout.end; length-- > 0;) {
        std::filesystem::resize_file(path, length);
        try {
            project.Load(path);
            ADD_FAILURE() << "loaded " << length << " of " << layout.end << " bytes";
        } catch (const ReadError& e) {
            ASSERT_EQ(e.File(), path);
            ASSERT_EQ(e.Message(), "Read beyond end of file");
        }
        ASSERT_FALSE(project.Loaded);
        ASSERT_TRUE(project.Picture.Empty());
    }
}

TEST_F(DamagedPackage, WrongSignatureIsAnIncorrectProjectFile) {
    for (const char* signature : {"LV060698", "lv060697", "\0\0\0\0\0\0\0\0", "GIF89a\1\0"}) {
        std::string copy = bytes;
        copy.replace(0, 8, std::string(signature, 8));
        ExpectFailure<FormatError>(copy, "Incorrect Project File!", signature);
    }
    ExpectFailure<ReadError>("LV06069", "Read beyond end of file", "seven bytes");
    ExpectFailure<ReadError>("", "Read beyond end of file", "empty file");
}

TEST_F(DamagedPackage, MoreThanFourOrNegativeWaveRecordsAreRefused) {
    for (const int32_t count :
         {5, 8, -1, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()})
        ExpectFailure<FormatError>(Patched(layout.waveCount, count), "Incorrect Project File!",
                                   "wave count " + std::to_string(count));
}

TEST_F(DamagedPackage, NegativeLengthsAreRefused) {
    const std::pair<const char*, size_t> fields[] = {
        {"name", layout.name},       {"comment", layout.comment}, {"thumbnail", layout.thumbnail},
        {"mask", layout.maskLength}, {"picture", layout.picture}, {"sound", layout.sound}};
    for (const auto& [field, offset] : fields)
        for (const int32_t length : {-1, std::numeric_limits<int32_t>::min()})
            ExpectFailure<FormatError>(Patched(offset, length), "Incorrect Project File!",
                                       std::string(field) + " " + std::to_string(length));
}

TEST_F(DamagedPackage, LengthsBeyondTheFileFailBeforeAllocating) {
    // 2 GB texts and JPEGs, an 8 GB mask, and a mask count whose byte size wraps to 0 in 32
    // bits, each in a file of a few kilobytes.
    const std::pair<const char*, size_t> fields[] = {
        {"name", layout.name},       {"comment", layout.comment}, {"thumbnail", layout.thumbnail},
        {"mask", layout.maskLength}, {"picture", layout.picture}, {"sound", layout.sound}};
    for (const auto& [field, offset] : fields) {
        ExpectFailure<ReadError>(Patched(offset, std::numeric_limits<int32_t>::max()),
                                 "Read beyond end of file", field);
        ExpectFailure<ReadError>(Patched(offset, static_cast<int32_t>(bytes.size())),
                                 "Read beyond end of file", field);
    }
    ExpectFailure<ReadError>(Patched(layout.maskLength, 0x40000000), "Read beyond end of file",
                             "mask of 2^30 words");
}

TEST_F(DamagedPackage, HugeMaskSizeIsRefusedByTheBitmapLimits) {
    PackageContents damaged = contents;
    damaged.MaskWords = {60000, 60000, 10};
    const std::string path = dir.Write("mask.lvp", BuildImagePackage(damaged));
    ImagePackage project;
    try {
        project.Load(path);
        FAIL() << "a 60000 x 60000 mask was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.File(), path);
        EXPECT_NE(e.Message().find("too large"), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(project.Loaded);
}

TEST_F(DamagedPackage, MissingOrUnreadableFileNamesIt) {
    ImagePackage project;
    const std::string missing = dir.File("missing.lvp");
    try {
        project.Load(missing);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.File(), missing);
    }
    const std::string folder = dir.File("folder.lvp");
    std::filesystem::create_directory(folder);
    EXPECT_THROW(project.LoadHeader(folder), Error);
    EXPECT_FALSE(project.Loaded);
}

TEST_F(DamagedPackage, RandomDamageNeverCrashes) {
    uint32_t seed = 2024;
    const std::string path = dir.File("random.lvp");
    ImagePackage project;
    int loaded = 0;
    for (int i = 0; i < 300; ++i) {
        std::string copy = bytes;
        for (int k = 0; k < 3; ++k) {
            seed = seed * 1664525u + 1013904223u;
            copy[8 + (seed >> 8) % (layout.end - 8)] = static_cast<char>(seed >> 24);
        }
        WriteFileAtomically(path, copy);
        try {
            project.Load(path);
            ++loaded;
        } catch (const Error& e) {
            ASSERT_EQ(e.File(), path) << e.what();
            ASSERT_FALSE(project.Loaded);
        }
    }
    EXPECT_LT(loaded, 300);
}

}  // namespace
}  // namespace lv
