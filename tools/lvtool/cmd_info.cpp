// lvtool info: what the engine reads from an image package, as JSON.
#include <array>
#include <cstdio>

#include "command.h"
#include "json_writer.h"
#include "project/area_mask.h"
#include "project/image_package.h"

namespace lvtool {
namespace {

void WriteSize(JsonWriter& json, const char* key, const lv::Bitmap32& bitmap) {
    json.Key(key).BeginObject();
    json.Key("width").Integer(bitmap.Width()).Key("height").Integer(bitmap.Height());
    json.EndObject();
}

void WriteWave(JsonWriter& json, const lv::WaveParameters& wave) {
    json.BeginObject();
    json.Key("Amplitude").Integer(wave.Amplitude);
    json.Key("WaveCount").Integer(wave.WaveCount);
    json.Key("PhaseStep").Integer(wave.PhaseStep);
    json.Key("Direction").Integer(wave.Direction);
    json.Key("Horizontal").Integer(wave.Horizontal);
    json.Key("Vertical").Integer(wave.Vertical);
    json.Key("Perspective").Integer(wave.Perspective);
    json.Key("Cycle").Integer(wave.Cycle);
    json.Key("Jitter").Integer(wave.Jitter);
    json.EndObject();
}

void WriteWeather(JsonWriter& json, const lv::WeatherParameters& weather) {
    json.Key("weather").BeginObject();
    json.Key("Kind").Integer(weather.Kind);
    json.Key("Count").Integer(weather.Count);
    json.Key("SpeedLevel").Integer(weather.SpeedLevel);
    json.Key("Angle").Integer(weather.Angle);
    json.Key("Length").Integer(weather.Length);
    json.EndObject();
}

void WriteMask(JsonWriter& json, const lv::AreaMask& mask) {
    std::array<int64_t, 5> counts{};
    for (int y = 0; y < mask.Height(); ++y) {
        const uint8_t* row = mask.Row(y);
        // Bytes above 4 belong to no area, as the area map reads them.
        for (int x = 0; x < mask.Width(); ++x) ++counts[row[x] <= lv::AreaCount ? row[x] : 0];
    }
    json.Key("mask").BeginObject();
    json.Key("width").Integer(mask.Width()).Key("height").Integer(mask.Height());
    json.Key("areaPixels").BeginArray();
    for (const int64_t count : counts) json.Integer(count);
    json.EndArray();
    json.EndObject();
}

int Run(const std::vector<std::string>& words) {
    const Arguments args(words, {}, {});
    args.ExpectPositionalCount(1);
    lv::ImagePackage project;
    project.Load(args.Required(0, "PACKAGE.lvp"));

    JsonWriter json;
    json.BeginObject();
    json.Key("pictureName").String(project.PictureName);
    json.Key("comment").String(project.Comment);
    json.Key("sound").String(project.SoundFile);
    WriteSize(json, "thumbnail", project.Thumbnail);
    WriteSize(json, "picture", project.Picture);
    json.Key("waves").BeginArray();
    for (const lv::WaveParameters& wave : project.Waves) WriteWave(json, wave);
    json.EndArray();
    WriteWeather(json, project.Weather);
    WriteMask(json, project.Mask);
    json.EndObject();
    std::fputs(json.Text().c_str(), stdout);
    return 0;
}

const CommandRegistration registration({
    "info",
    "PACKAGE.lvp",
    "print what an image package holds, as JSON",
    "Loads the package as the show does (both JPEGs decoded, the mask expanded) and prints\n"
    "its picture name, comment and sound text (8-bit text shown as UTF-8), the sizes of the\n"
    "thumbnail and the picture, the four areas' wave parameters, the weather parameters and\n"
    "the mask's size with the number of pixels of no area (0) and of areas 1 to 4.\n"
    "A damaged package ends with the loader's error and exit status 1.",
    Run,
});

}  // namespace
}  // namespace lvtool
