#include "project/image_package.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "project/area_mask.h"
#include "project/image_package_reader.h"
#include "project/package_fixtures.h"

namespace lv {
namespace {

class ImagePackageFile : public ::testing::Test {
protected:
    std::string Write(const PackageContents& contents, const std::string& name = "p.lvp") {
        return dir.Write(name, BuildImagePackage(contents));
    }
    test::TempDir dir;
};

void ExpectEmpty(const ImagePackage& project) {
    EXPECT_FALSE(project.Loaded);
    EXPECT_TRUE(project.Picture.Empty());
    EXPECT_TRUE(project.Thumbnail.Empty());
    EXPECT_TRUE(project.Mask.Empty());
    for (const WaveParameters& wave : project.Waves) EXPECT_EQ(wave, WaveParameters{});
    EXPECT_EQ(project.Weather, WeatherParameters{});
    EXPECT_TRUE(project.PictureName.empty());
    EXPECT_TRUE(project.SoundFile.empty());
}

TEST_F(ImagePackageFile, RoundTripKeepsEverything) {
    const PackageContents contents = test::SampleContents();
    const std::string path = Write(contents);
    ImagePackage project;
    project.Load(path);

    EXPECT_TRUE(project.Loaded);
    EXPECT_EQ(project.FileName, path);
    EXPECT_EQ(project.PictureName, contents.PictureName);
    EXPECT_EQ(project.Comment, contents.Comment);
    EXPECT_EQ(project.SoundFile, "waves.wav");
    for (int i = 0; i < AreaCount; ++i) EXPECT_EQ(project.GetWaveParam(i), contents.Waves[i]);
    EXPECT_EQ(project.Weather, contents.Weather);
    EXPECT_EQ(project.SpeedPercent, 100);

    const Bitmap32 picture = test::GradientPicture(test::PictureWidth, test::PictureHeight);
    ASSERT_EQ(project.Picture.Width(), picture.Width());
    ASSERT_EQ(project.Picture.Height(), picture.Height());
    EXPECT_LE(test::MaxChannelDifference(project.Picture, picture), 12);
    EXPECT_TRUE(test::FourthBytesAreZero(project.Picture));
    EXPECT_EQ(project.Thumbnail.Width(), 8);
    EXPECT_EQ(project.Thumbnail.Height(), 6);
    EXPECT_EQ(project.Mask.ToColours(), test::AreaPicture(test::PictureWidth, test::PictureHeight));
}

TEST_F(ImagePackageFile, FewerWaveRecordsLeaveTheOtherAreasZero) {
    PackageContents contents = test::SampleContents();
    const std::vector<WaveParameters> all = contents.Waves;
    contents.Waves.clear();
    ImagePackage project;
    project.Load(Write(contents, "w0.lvp"));
    for (const WaveParameters& wave : project.Waves) EXPECT_EQ(wave, WaveParameters{});

    contents.Waves = {all[0], all[1]};
    project.Load(Write(contents, "w2.lvp"));
    EXPECT_EQ(project.Waves[0], all[0]);
    EXPECT_EQ(project.Waves[1], all[1]);
    EXPECT_EQ(project.Waves[2], WaveParameters{});
    EXPECT_EQ(project.Waves[3], WaveParameters{});
    // The items after the records are still found in their places.
    EXPECT_EQ(project.Weather, contents.Weather);
    EXPECT_EQ(project.SoundFile, contents.SoundFile);
}

TEST_F(ImagePackageFile, ExampleMaskWordsLeaveUncoveredPixelsEmpty) {
    PackageContents contents = test::SampleContents();
    contents.MaskWords = {4, 2, 32, 11, 23};
    ImagePackage project;
    project.Load(Write(contents));
    EXPECT_EQ(std::vector<uint8_t>(project.Mask.Row(0), project.Mask.Row(0) + 8),
              (std::vector<uint8_t>{2, 2, 2, 1, 3, 3, 0, 0}));
}

TEST_F(ImagePackageFile, EmptyTextsAndNoSound) {
    PackageContents contents = test::SampleContents();
    contents.PictureName.clear();
    contents.Comment.clear();
    contents.SoundFile = "<No Sound>";
    ImagePackage project;
    project.Load(Write(contents));
    EXPECT_TRUE(project.Loaded);
    EXPECT_EQ(project.PictureName, "");
    EXPECT_EQ(project.Comment, "");
    EXPECT_EQ(project.SoundFile, "<No Sound>");
}

TEST_F(ImagePackageFile, BytesAfterTheWeatherRecordMakeNoDifference) {
    PackageContents contents = test::SampleContents();
    contents.TrailingZeroBytes = 0;
    const std::string bare = BuildImagePackage(contents);
    ImagePackage reference;
    reference.Load(dir.Write("bare.lvp", bare));
    for (const std::string& tail :
         {std::string(1000, '\0'), std::string("LV060697garbage"), std::string(3, '\xFF')}) {
        ImagePackage project;
        project.Load(dir.Write("tail.lvp", bare + tail));
        EXPECT_EQ(project.Picture, reference.Picture);
        EXPECT_EQ(project.Mask, reference.Mask);
        EXPECT_EQ(project.Weather, reference.Weather);
        EXPECT_EQ(project.SoundFile, reference.SoundFile);
    }
}

TEST_F(ImagePackageFile, LoadHeaderReadsOnlyTextsAndThumbnail) {
    const PackageContents contents = test::SampleContents();
    const std::string path = Write(contents);
    ImagePackage project;
    project.Load(path);
    project.LoadHeader(path);  // discards what the full load brought
    EXPECT_EQ(project.FileName, path);
    EXPECT_EQ(project.PictureName, contents.PictureName);
    EXPECT_EQ(project.Comment, contents.Comment);
    EXPECT_EQ(project.Thumbnail.Width(), 8);
    EXPECT_TRUE(project.Picture.Empty());
    EXPECT_TRUE(project.Mask.Empty());
    EXPECT_TRUE(project.SoundFile.empty());
    for (const WaveParameters& wave : project.Waves) EXPECT_EQ(wave, WaveParameters{});
    EXPECT_EQ(project.Weather, WeatherParameters{});
    EXPECT_FALSE(project.Loaded);  // the picture itself was not loaded
}

TEST_F(ImagePackageFile, LoadHeaderNeedsNothingAfterTheThumbnail) {
    const PackageContents contents = test::SampleContents();
    const std::string whole = BuildImagePackage(contents);
    const size_t headerEnd = 8 + 4 + contents.PictureName.size() + 4 + contents.Comment.size() + 4 +
                             contents.ThumbnailJpeg.size();
    ImagePackage project;
    project.LoadHeader(dir.Write("head.lvp", whole.substr(0, headerEnd)));
    EXPECT_EQ(project.PictureName, contents.PictureName);
    EXPECT_EQ(project.Thumbnail.Height(), 6);
    EXPECT_THROW(project.LoadHeader(dir.Write("short.lvp", whole.substr(0, headerEnd - 1))),
                 ReadError);
}

TEST_F(ImagePackageFile, OneProjectServesLoadAfterLoadAndAfterAFailure) {
    const PackageContents first = test::SampleContents();
    PackageContents second = test::SampleContents();
    second.PictureName = "second";
    second.Weather = {1, 40, 2, 0, 0, 0};
    second.Waves.resize(1);
    second.MaskWords = EmptyAreaMask(test::PictureWidth, test::PictureHeight);
    std::string damaged = BuildImagePackage(first);
    damaged[8] = '\x7F';  // picture name length far beyond the file

    ImagePackage project;
    project.Load(Write(first, "first.lvp"));
    project.SetSpeedPercent(160);
    EXPECT_THROW(project.Load(dir.Write("damaged.lvp", damaged)), ReadError);
    ExpectEmpty(project);
    EXPECT_EQ(project.SpeedPercent, 160);  // the user's speed is not the package's

    project.Load(Write(second, "second.lvp"));
    EXPECT_TRUE(project.Loaded);
    EXPECT_EQ(project.PictureName, "second");
    EXPECT_EQ(project.Weather, second.Weather);
    EXPECT_EQ(project.Waves[1], WaveParameters{});
    EXPECT_EQ(project.Mask, AreaMask(project.Mask.Width(), project.Mask.Height()));
}

TEST_F(ImagePackageFile, UndecodablePictureFailsTheLoadNamingTheFile) {
    PackageContents contents = test::SampleContents();
    contents.PictureJpeg = contents.PictureJpeg.substr(0, contents.PictureJpeg.size() / 2);
    const std::string path = Write(contents);
    ImagePackage project;
    try {
        project.Load(path);
        FAIL() << "a half JPEG was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.File(), path);
        EXPECT_NE(e.Message().find("picture"), std::string::npos) << e.Message();
    }
    ExpectEmpty(project);

    contents = test::SampleContents();
    contents.ThumbnailJpeg = "not a JPEG";
    EXPECT_THROW(project.LoadHeader(Write(contents)), Error);
    ExpectEmpty(project);
}

TEST_F(ImagePackageFile, MaskRunsBeyondItsSizeFailTheLoad) {
    PackageContents contents = test::SampleContents();
    contents.MaskWords = {4, 2, 80, 11};
    const std::string path = Write(contents);
    ImagePackage project;
    try {
        project.Load(path);
        FAIL() << "an overflowing mask was accepted";
    } catch (const FormatError& e) {
        EXPECT_EQ(e.File(), path);
    }
    ExpectEmpty(project);
}

}  // namespace
}  // namespace lv
