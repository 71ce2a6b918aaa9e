// lvtool weather: the rain drops or snowflakes of an image package after a number of steps.
#include <cstdio>

#include "effects/weather/rain.h"
#include "effects/weather/snow.h"
#include "ripple_session.h"

namespace lvtool {
namespace {

int Run(const std::vector<std::string>& words) {
    const Arguments args(words, {"seed", "steps", "fit", "speed"}, {"keep-aspect"});
    args.ExpectPositionalCount(1);
    const RippleOptions options = ReadRippleOptions(args, true);
    const long long steps = args.IntValue("steps", -1, 0, 1000000);
    if (steps < 0) throw UsageError{"missing --steps"};

    RippleSession session(options);
    lv::WaveGenerator& generator = session.Generator();
    for (long long i = 0; i < steps; ++i) generator.Step();
    if (const lv::Rain* rain = generator.ActiveRain())
        for (const auto& d : rain->Drops())
            std::printf("%.17g %.17g %d %d\n", d.X, d.Y, d.Weight, d.Length);
    if (const lv::Snow* snow = generator.ActiveSnow())
        for (const auto& f : snow->Flakes())
            std::printf("%.17g %.17g %d %d\n", f.X, f.Y, f.Size, f.Drift);
    return 0;
}

const CommandRegistration registration({
    "weather",
    "PACKAGE --seed S --steps N [--fit WxH] [--keep-aspect] [--speed PERCENT]",
    "print an image package's rain drops or snowflakes after N steps",
    "Runs the package as 'lvtool ripple' does, then prints one line per drop for rain\n"
    "(X Y Weight Length) or per flake for snow (X Y Size Drift). Nothing is printed for a\n"
    "package without weather.",
    Run,
});

}  // namespace
}  // namespace lvtool
