// The authors' tool end to end: pack-lvp builds a package the engine's loader reads back, and
// info / mask report what the loader sees.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "codecs/picture_codecs.h"
#include "common/file_util.h"
#include "project/area_mask.h"
#include "project/image_package.h"
#include "project/package_fixtures.h"
#include "project/package_writer.h"

namespace lv {
namespace {

struct ToolResult {
    int status;
    std::string output;  // stdout and stderr together
};

std::string Quote(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

ToolResult RunTool(const std::vector<std::string>& words) {
    std::string command = Quote(LV_LVTOOL_PATH);
    for (const std::string& w : words) command += " " + Quote(w);
    command += " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, "popen failed"};
    std::string output;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class LvtoolPackage : public ::testing::Test {
protected:
    LvtoolPackage() : picture(test::GradientPicture(40, 30)), mask(test::AreaPicture(40, 30)) {
        picturePath = dir.Write("harbour.bmp", EncodeBmp24(picture));
        maskPath = dir.Write("mask.bmp", EncodeBmp24(mask));
        package = dir.File("harbour.lvp");
    }
    test::TempDir dir;
    Bitmap32 picture, mask;
    std::string picturePath, maskPath, package;
};

TEST_F(LvtoolPackage, PackThenInfoReportsWhatTheLoaderReads) {
    const ToolResult pack =
        RunTool({"pack-lvp", package, "--picture", picturePath, "--mask", maskPath, "--wave",
                 "1:6,17,15,1,0,1,1,360,0", "--wave", "3:2,5,-4,0,1,0,0,180,3", "--weather",
                 "2,150,7,-15,22", "--name", "Caf\xC3\xA9 \xE2\x82\xAC", "--comment",
                 "say \"hi\"\\", "--sound", "gulls.wav"});
    ASSERT_EQ(pack.status, 0) << pack.output;

    ImagePackage project;
    project.Load(package);
    EXPECT_EQ(project.PictureName, "Caf\xE9 \x80");  // stored as 8-bit text
    EXPECT_EQ(project.Comment, "say \"hi\"\\");
    EXPECT_EQ(project.SoundFile, "gulls.wav");
    EXPECT_EQ(project.Waves[0], test::ExampleWave());
    EXPECT_EQ(project.Waves[1], UnusedAreaWave());  // still water the generator can step
    EXPECT_EQ(project.Waves[2].PhaseStep, -4);
    EXPECT_EQ(project.Waves[2].Horizontal, 1);
    EXPECT_EQ(project.Waves[2].Jitter, 3);
    EXPECT_EQ(project.Weather, (WeatherParameters{2, 150, 7, -15, 22, 0}));
    EXPECT_EQ(project.Mask.ToColours(), mask);
    EXPECT_LE(test::MaxChannelDifference(project.Picture, picture), 16);
    EXPECT_EQ(project.Thumbnail.Width(), 80);
    EXPECT_EQ(project.Thumbnail.Height(), 60);

    const ToolResult info = RunTool({"info", package});
    ASSERT_EQ(info.status, 0) << info.output;
    std::array<int, 5> counts{};
    for (size_t i = 0; i < mask.PixelCount(); ++i) ++counts[AreaOfColour(mask.Data()[i])];
    std::string areaPixels = "\"areaPixels\": [";
    for (size_t i = 0; i < counts.size(); ++i)
        areaPixels += std::string(i ? "," : "") + "\n      " + std::to_string(counts[i]);
    for (const std::string& part :
         {std::string("\"pictureName\": \"Caf\xC3\xA9 \xE2\x82\xAC\""),
          std::string("\"comment\": \"say \\\"hi\\\"\\\\\""),
          std::string("\"sound\": \"gulls.wav\""),
          std::string("\"picture\": {\n    \"width\": 40,\n    \"height\": 30\n  }"),
          std::string("\"thumbnail\": {\n    \"width\": 80,\n    \"height\": 60\n  }"),
          std::string("\"Cycle\": 360"), std::string("\"PhaseStep\": -4"),
          std::string("\"SpeedLevel\": 7"), std::string("\"Angle\": -15"), areaPixels})
        EXPECT_TRUE(Contains(info.output, part)) << part << "\nnot in\n" << info.output;

    const std::string maskOut = dir.File("out.bmp");
    const ToolResult maskRun = RunTool({"mask", package, maskOut});
    ASSERT_EQ(maskRun.status, 0) << maskRun.output;
    EXPECT_EQ(DecodeBmp(ReadFileBytes(maskOut), maskOut), mask);
}

TEST_F(LvtoolPackage, JpegPictureIsStoredUnchangedAndDefaultsApply) {
    const std::string jpeg = EncodeJpeg(picture, 75);
    const std::string jpegPath = dir.Write("quay.jpg", jpeg);
    const ToolResult pack = RunTool({"pack-lvp", package, "--picture", jpegPath});
    ASSERT_EQ(pack.status, 0) << pack.output;
    const std::string bytes = ReadFileBytes(package);
    EXPECT_TRUE(Contains(bytes, jpeg));
    ImagePackage project;
    project.Load(package);
    EXPECT_EQ(project.PictureName, "quay");
    EXPECT_EQ(project.SoundFile, "<No Sound>");
    EXPECT_EQ(project.Weather, WeatherParameters{});
    EXPECT_EQ(project.Mask, AreaMask(40, project.Picture.Height()));
}

TEST_F(LvtoolPackage, WrongInputsFailWithoutWritingAPackage) {
    const std::string small = dir.Write("small.bmp", EncodeBmp24(test::AreaPicture(10, 10)));
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"pack-lvp", package}, 2},  // no picture
        {{"pack-lvp", package, "--picture", picturePath, "--wave", "5:1,2,3,4,0,0,0,1,1"}, 2},
        {{"pack-lvp", package, "--picture", picturePath, "--wave", "1:1,2,3"}, 2},
        {{"pack-lvp", package, "--picture", picturePath, "--weather", "1,2,3,4,5,6"}, 2},
        {{"pack-lvp", package, "--picture", picturePath, "--mask", small}, 1},  // size differs
        {{"pack-lvp", package, "--picture", dir.File("none.bmp")}, 1},
        {{"pack-lvp", package, "--picture", maskPath, "--name", "\xE2\x98\x83"}, 2},  // no 1252
    };
    for (const auto& [words, status] : cases) {
        const ToolResult result = RunTool(words);
        EXPECT_EQ(result.status, status) << words.back() << "\n" << result.output;
        EXPECT_FALSE(std::filesystem::exists(package)) << words.back();
    }
}

TEST(Lvtool, PackageCommandsDescribeThemselves) {
    const std::pair<const char*, const char*> commands[] = {
        {"pack-lvp", "--weather Kind,Count,SpeedLevel,Angle,Length"},
        {"info", "areas 1 to 4"},
        {"mask", "magenta"}};
    for (const auto& [command, detail] : commands) {
        const ToolResult help = RunTool({command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_TRUE(Contains(help.output, std::string("usage: lvtool ") + command)) << help.output;
        EXPECT_TRUE(Contains(help.output, detail)) << help.output;
    }
}

TEST_F(LvtoolPackage, InfoOnADamagedPackageReportsTheLoadersError) {
    const std::string damaged = dir.Write("damaged.lvp", "LV060698 and the rest");
    const ToolResult info = RunTool({"info", damaged});
    EXPECT_EQ(info.status, 1);
    EXPECT_TRUE(Contains(info.output, damaged + ": Incorrect Project File!")) << info.output;
}

}  // namespace
}  // namespace lv
