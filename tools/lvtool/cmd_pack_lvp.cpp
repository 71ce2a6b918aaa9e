// lvtool pack-lvp: builds an image package from a picture, an optional mask picture and the
// effect parameters given on the command line.
#include <cstdio>
#include <filesystem>
#include <limits>
#include <sstream>

#include "codecs/picture_codecs.h"
#include "codecs/picture_file.h"
#include "command.h"
#include "common/error.h"
#include "common/file_util.h"
#include "common/windows1252.h"
#include "project/package_writer.h"
#include "thumbnail.h"

namespace lvtool {
namespace {

constexpr int ThumbnailWidth = 80;
constexpr int ThumbnailHeight = 60;
constexpr int JpegQuality = 90;
constexpr long long Int32Min = std::numeric_limits<int32_t>::min();
constexpr long long Int32Max = std::numeric_limits<int32_t>::max();

struct JpegPicture {
    std::string bytes;  // stored in the package
    lv::Bitmap32 pixels;
};

// A JPEG file is stored as it is, after checking that the engine can decode it; a BMP or GIF
// is encoded as JPEG.
JpegPicture ReadPictureAsJpeg(const std::string& path) {
    std::string bytes = lv::ReadFileBytes(path);
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xFF\xD8\xFF") == 0) {
        lv::Bitmap32 pixels = lv::DecodeJpeg(bytes, path);
        return {std::move(bytes), std::move(pixels)};
    }
    lv::Bitmap32 pixels = lv::LoadPictureFile(path);
    if (pixels.Empty()) throw lv::Error("the picture is empty", path);
    return {lv::EncodeJpeg(pixels, JpegQuality), std::move(pixels)};
}

std::vector<long long> ParseList(const std::string& text, size_t count, const char* what) {
    std::vector<long long> values;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ','))
        values.push_back(ParseInteger(item, what, Int32Min, Int32Max));
    if (values.size() != count || (!text.empty() && text.back() == ','))
        throw UsageError{std::string(what) + ": expected " + std::to_string(count) +
                         " comma-separated numbers, found '" + text + "'"};
    return values;
}

// "AREA:Amplitude,WaveCount,PhaseStep,Direction,Horizontal,Vertical,Perspective,Cycle,Jitter"
void ParseWave(const std::string& text, std::vector<lv::WaveParameters>& waves,
               std::vector<bool>& given) {
    const auto colon = text.find(':');
    if (colon == std::string::npos) throw UsageError{"--wave: '" + text + "' lacks 'AREA:'"};
    const auto area = static_cast<size_t>(ParseInteger(text.substr(0, colon), "--wave area", 1, 4));
    if (given[area - 1]) throw UsageError{"--wave: area " + std::to_string(area) + " given twice"};
    given[area - 1] = true;
    const auto v = ParseList(text.substr(colon + 1), 9, "--wave");
    for (size_t i = 4; i <= 6; ++i)
        if (v[i] < 0 || v[i] > 255)
            throw UsageError{"--wave: Horizontal, Vertical and Perspective are bytes (0 .. 255)"};
    lv::WaveParameters& wave = waves[area - 1];
    wave.Amplitude = static_cast<int32_t>(v[0]);
    wave.WaveCount = static_cast<int32_t>(v[1]);
    wave.PhaseStep = static_cast<int32_t>(v[2]);
    wave.Direction = static_cast<int32_t>(v[3]);
    wave.Horizontal = static_cast<uint8_t>(v[4]);
    wave.Vertical = static_cast<uint8_t>(v[5]);
    wave.Perspective = static_cast<uint8_t>(v[6]);
    wave.Cycle = static_cast<int32_t>(v[7]);
    wave.Jitter = static_cast<int32_t>(v[8]);
}

lv::WeatherParameters ParseWeather(const std::string& text) {
    const auto v = ParseList(text, 5, "--weather");
    lv::WeatherParameters weather;
    weather.Kind = static_cast<int32_t>(v[0]);
    weather.Count = static_cast<int32_t>(v[1]);
    weather.SpeedLevel = static_cast<int32_t>(v[2]);
    weather.Angle = static_cast<int32_t>(v[3]);
    weather.Length = static_cast<int32_t>(v[4]);
    return weather;
}

std::string StoredText(const std::string& text, const char* option) {
    auto converted = lv::Utf8ToWindows1252(text);
    if (!converted)
        throw UsageError{std::string(option) + ": '" + text +
                         "' has characters that 8-bit (Windows-1252) text cannot hold"};
    return *converted;
}

int Run(const std::vector<std::string>& allWords) {
    // --wave may be repeated, which Arguments does not keep; take those pairs out first.
    std::vector<std::string> words;
    std::vector<std::string> waveTexts;
    for (size_t i = 0; i < allWords.size(); ++i) {
        if (allWords[i] != "--wave") {
            words.push_back(allWords[i]);
        } else {
            if (i + 1 >= allWords.size()) throw UsageError{"option --wave needs a value"};
            waveTexts.push_back(allWords[++i]);
        }
    }
    const Arguments args(
        words, {"picture", "thumbnail", "mask", "weather", "name", "comment", "sound"}, {});
    args.ExpectPositionalCount(1);
    const std::string& output = args.Required(0, "OUT.lvp");
    const auto picturePath = args.Value("picture");
    if (!picturePath) throw UsageError{"--picture is required"};

    lv::PackageContents contents;
    std::vector<bool> given(lv::AreaCount, false);
    for (const std::string& text : waveTexts) ParseWave(text, contents.Waves, given);
    if (const auto weather = args.Value("weather")) contents.Weather = ParseWeather(*weather);
    contents.PictureName = StoredText(
        args.Value("name").value_or(std::filesystem::path(*picturePath).stem().string()), "--name");
    contents.Comment = StoredText(args.Value("comment").value_or(""), "--comment");
    if (const auto sound = args.Value("sound")) contents.SoundFile = StoredText(*sound, "--sound");

    JpegPicture picture = ReadPictureAsJpeg(*picturePath);
    contents.PictureJpeg = std::move(picture.bytes);
    if (const auto thumbnail = args.Value("thumbnail")) {
        contents.ThumbnailJpeg = ReadPictureAsJpeg(*thumbnail).bytes;
    } else {
        contents.ThumbnailJpeg = lv::EncodeJpeg(
            ScaleBoxFilter(picture.pixels, ThumbnailWidth, ThumbnailHeight), JpegQuality);
    }

    const int width = picture.pixels.Width();
    const int height = picture.pixels.Height();
    if (const auto maskPath = args.Value("mask")) {
        const lv::Bitmap32 mask = lv::LoadPictureFile(*maskPath);
        if (mask.Width() != width || mask.Height() != height)
            throw lv::Error("the mask is " + std::to_string(mask.Width()) + " x " +
                                std::to_string(mask.Height()) + " pixels but the picture is " +
                                std::to_string(width) + " x " + std::to_string(height),
                            *maskPath);
        contents.MaskWords = lv::EncodeAreaMask(mask);
    } else {
        contents.MaskWords = lv::EmptyAreaMask(width, height);
    }

    const std::string package = lv::BuildImagePackage(contents);
    lv::WriteFileAtomically(output, package);
    std::printf("%s: %zu bytes, picture %d x %d, %zu mask runs\n", output.c_str(), package.size(),
                width, height, contents.MaskWords.size() - 2);
    return 0;
}

const CommandRegistration registration({
    "pack-lvp",
    "OUT.lvp --picture PIC.jpg [--thumbnail T.jpg] [--mask MASK.bmp] "
    "[--wave AREA:Amplitude,WaveCount,PhaseStep,Direction,Horizontal,Vertical,Perspective,"
    "Cycle,Jitter]... [--weather Kind,Count,SpeedLevel,Angle,Length] [--name TEXT] "
    "[--comment TEXT] [--sound FILE]",
    "build an image package (.lvp) from a picture, a mask and effect parameters",
    "--picture    the picture: a JPEG is stored unchanged; a BMP or GIF is encoded as JPEG\n"
    "             (quality 90).\n"
    "--thumbnail  the thumbnail picture (same rules); without it an 80 x 60 thumbnail is\n"
    "             made from the picture with a box filter.\n"
    "--mask       a picture of the picture's size in the area colours: blue 0000FF area 1,\n"
    "             magenta FF00FF area 2, red FF0000 area 3, yellow FFFF00 area 4; any other\n"
    "             colour is no area. Use a lossless format (BMP, GIF). Without it the\n"
    "             picture has no water areas.\n"
    "--wave       the water parameters of area 1 to 4 (repeat for each area); areas not\n"
    "             given are still. Horizontal, Vertical and Perspective are 0 .. 255.\n"
    "--weather    Kind (0 none, 1 snow, 2 rain), Count, SpeedLevel, Angle, Length.\n"
    "--name       the picture name (default: the picture file's name without extension).\n"
    "--comment    the comment (default: empty).\n"
    "--sound      the sound file name stored for the picture (default: \"<No Sound>\").\n"
    "Texts are stored as 8-bit Windows-1252. The package is written to a temporary name and\n"
    "then renamed over OUT.lvp.",
    Run,
});

}  // namespace
}  // namespace lvtool
