// lvtool make-demo: a complete demo saver whose pictures, masks and music are made by code.
#include <cstdio>
#include <filesystem>

#include "codecs/picture_codecs.h"
#include "command.h"
#include "default_forms.h"
#include "engine_path.h"
#include "common/error.h"
#include "common/file_util.h"
#include "demo/demo_scenes.h"
#include "demo/sound_files.h"
#include "project/package_writer.h"
#include "project/saver_builder.h"
#include "thumbnail.h"

namespace lvtool {
namespace {
namespace fs = std::filesystem;

constexpr int JpegQuality = 90;

lv::WaveParameters Wave(int amplitude, int waveCount, int phaseStep, int direction, bool horizontal,
                        bool vertical, bool perspective, int cycle, int jitter) {
    lv::WaveParameters w;
    w.Amplitude = amplitude;
    w.WaveCount = waveCount;
    w.PhaseStep = phaseStep;
    w.Direction = direction;
    w.Horizontal = horizontal;
    w.Vertical = vertical;
    w.Perspective = perspective;
    w.Cycle = cycle;
    w.Jitter = jitter;
    return w;
}

lv::WeatherParameters Weather(int kind, int count, int speedLevel, int angle, int length) {
    lv::WeatherParameters w;
    w.Kind = kind;
    w.Count = count;
    w.SpeedLevel = speedLevel;
    w.Angle = angle;
    w.Length = length;
    return w;
}

std::string Package(const lvdemo::Scene& scene, const std::string& name,
                    std::vector<lv::WaveParameters> waves, lv::WeatherParameters weather,
                    const std::string& sound) {
    lv::PackageContents contents;
    contents.SoundFile = sound;
    contents.PictureName = name;
    contents.Comment = "Painted by lvtool make-demo";
    contents.PictureJpeg = lv::EncodeJpeg(scene.picture, JpegQuality);
    contents.ThumbnailJpeg = lv::EncodeJpeg(ScaleBoxFilter(scene.picture, 80, 60), JpegQuality);
    contents.MaskWords = lv::EncodeAreaMask(scene.mask);
    waves.resize(lv::AreaCount, lv::UnusedAreaWave());
    contents.Waves = std::move(waves);
    contents.Weather = weather;
    return lv::BuildImagePackage(contents);
}

// A calm tune in C major on a music box, about twenty seconds long.
std::string Tune() {
    std::vector<lvdemo::MidiNote> notes;
    const uint8_t melody[] = {64, 67, 72, 71, 67, 64, 65, 69, 72, 74, 72, 69, 67, 64, 60, 62,
                              64, 67, 72, 76, 74, 72, 71, 67, 69, 71, 72, 67, 64, 62, 60, 0};
    for (const uint8_t key : melody) notes.push_back({key, 96});
    return lvdemo::MakeMidi(notes, 10, 96);
}

const char* DemoSettings =
    "[General]\r\nProductName=Lorvane demo\r\nPublisher=Lorvane\r\n"
    "Website=https://example.org/lorvane\r\n"
    "[Default]\r\nStretch=1\r\nProportional=1\r\nSound=1\r\nMusic=1\r\nAnimation=1\r\nRandom=1\r\n"
    "Duration=10\r\nTransition=1\r\nSpeed=100\r\nShowImageMode=1\r\n"
    "[Advance]\r\nPreviewFile=forest.jpg\r\nMusicFile=theme.mid\r\nMusicMode=1\r\n"
    "[Build]\r\nBuildMethod=1\r\nBuildSmallThumbs=1\r\n";

void Write(const fs::path& folder, const std::string& name, const std::string& bytes) {
    lv::WriteFileAtomically(folder / name, bytes);
    std::printf("%s\n", (folder / name).c_str());
}

int Run(const std::vector<std::string>& words) {
    const Arguments args(words, {"engine", "size", "forms"}, {});
    args.ExpectPositionalCount(1);
    const fs::path folder = args.Required(0, "DIR");
    int width = 1280, height = 800;
    if (const auto size = args.Value("size")) ParseSize(*size, width, height);
    fs::create_directories(folder);

    const lvdemo::Scene harbour = lvdemo::PaintHarbourAtDusk(width, height);
    const lvdemo::Scene winter = lvdemo::PaintWinterLake(width, height);
    lv::SaverContents contents;
    contents.SettingsText = DemoSettings;
    const auto forms = args.Value("forms");
    contents.Forms = forms ? lv::ReadFileBytes(*forms) : std::string(DefaultFormsText());
    contents.Files = {
        {"harbour.lvp",
         Package(harbour, "Harbour at dusk",
                 {Wave(4, 14, 10, 1, true, true, true, 360, 6),
                  Wave(2, 24, 8, 0, true, false, false, 360, 3)},
                 Weather(2, 350, 15, 80, 10), "surf.wav"),
         true, true},
        {"winter.lvp",
         Package(winter, "Winter lake", {Wave(3, 10, 6, 1, true, true, true, 360, 4)},
                 Weather(1, 250, 8, 0, 0), "<No Sound>"),
         true, true},
        {"forest.jpg", lv::EncodeJpeg(lvdemo::PaintForest(width, height), JpegQuality), true, true},
        {"theme.mid", Tune(), false, true},
        {"surf.wav", lvdemo::MakeSurfWav(8), false, true},
    };
    for (const auto& file : contents.Files) Write(folder, file.Name, file.Bytes);
    Write(folder, "settings.ini", contents.SettingsText);

    const fs::path saver = folder / "Demo.scr";
    lv::BuildSaver(saver, args.Value("engine").value_or(DefaultEngine()), contents);
    std::printf("%s\n", saver.c_str());
    return 0;
}

const CommandRegistration registration({
    "make-demo",
    "DIR [--size WxH] [--engine PATH] [--forms FORMS.lvu]",
    "make the demo saver: two image packages, a still picture and music, all painted by code",
    "Writes into DIR: harbour.lvp (sea and pond rippling, rain), winter.lvp (a lake, snow),\n"
    "forest.jpg (a still picture, also the preview), theme.mid (background music),\n"
    "surf.wav (the harbour's sound), settings.ini (the project settings) and Demo.scr, the\n"
    "saver made of them with the engine (default: lvcsaver beside lvtool, else in its engine\n"
    "folder). --size sets the pictures' size (default 1280x800).\n"
    "Without --forms the saver gets the built-in configuration windows.",
    Run,
});

}  // namespace
}  // namespace lvtool
