// lvtool render: a run of the show's frames of one image package, as numbered BMP files.
#include <cstdio>
#include <filesystem>

#include "codecs/picture_codecs.h"
#include "common/file_util.h"
#include "ripple_session.h"

namespace lvtool {
namespace {

constexpr int FramesPerSecond = 30;

int Run(const std::vector<std::string>& words) {
    const Arguments args(words, {"seconds", "seed", "fit", "speed", "out"},
                         {"keep-aspect", "no-weather"});
    args.ExpectPositionalCount(1);
    const RippleOptions options = ReadRippleOptions(args, false);
    const long long seconds = args.IntValue("seconds", -1, 0, 3600);
    if (seconds < 0) throw UsageError{"missing --seconds"};
    const auto out = args.Value("out");
    if (!out) throw UsageError{"missing --out"};

    RippleSession session(options);
    std::filesystem::create_directories(*out);
    const long long frames = seconds * FramesPerSecond;
    for (long long i = 0; i < frames; ++i) {
        session.Generator().Step();
        char name[32];
        std::snprintf(name, sizeof name, "frame%05lld.bmp", i);
        lv::WriteFileAtomically(std::filesystem::path(*out) / name,
                                lv::EncodeBmp24(session.Generator().ShownPicture()));
    }
    std::printf("%lld frames\n", frames);
    return 0;
}

const CommandRegistration registration({
    "render",
    "PACKAGE --seconds T [--fit WxH] [--keep-aspect] [--speed PERCENT] [--seed S] "
    "[--no-weather] --out DIR",
    "write T seconds of an image package's animation as numbered BMP frames",
    "Runs the package as the show does at 30 frames a second and writes frame00000.bmp,\n"
    "frame00001.bmp, ... into DIR (created when missing), each the picture shown after one\n"
    "more step. Without --seed the random generator is seeded from the clock.",
    Run,
});

}  // namespace
}  // namespace lvtool
