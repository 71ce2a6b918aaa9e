// lvtool ripple: the frame the show draws after a number of steps of an image package.
#include "codecs/picture_codecs.h"
#include "common/file_util.h"
#include "ripple_session.h"

namespace lvtool {
namespace {

int Run(const std::vector<std::string>& words) {
    const Arguments args(words, {"seed", "steps", "fit", "speed", "out"}, {"keep-aspect", "no-weather"});
    args.ExpectPositionalCount(1);
    const RippleOptions options = ReadRippleOptions(args, true);
    const long long steps = args.IntValue("steps", -1, 0, 1000000);
    if (steps < 0) throw UsageError{"missing --steps"};
    const auto out = args.Value("out");
    if (!out) throw UsageError{"missing --out"};

    RippleSession session(options);
    for (long long i = 0; i < steps; ++i) session.Generator().Step();
    lv::WriteFileAtomically(*out, lv::EncodeBmp24(session.Generator().ShownPicture()));
    return 0;
}

const CommandRegistration registration({
    "ripple",
    "PACKAGE --seed S --steps N [--fit WxH] [--keep-aspect] [--speed PERCENT] [--no-weather] "
    "--out OUT.bmp",
    "write the frame the show draws after N steps of an image package's water",
    "Loads the package, applies the speed percentage (default 100), fits it to WxH with\n"
    "--fit (keeping its proportions with --keep-aspect), prepares the water generator with\n"
    "the random generator seeded with S, switches on the package's rain or snow unless\n"
    "--no-weather, steps N times and writes the picture shown (the weather layer when the\n"
    "weather is on, else the rippled picture) as a 24-bit BMP. Sides of WxH: 1 .. 16384.",
    Run,
});

}  // namespace
}  // namespace lvtool
