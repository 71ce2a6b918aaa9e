#pragma once

#include <memory>
#include <optional>
#include <string>

#include "command.h"
#include "effects/water/water_source.h"
#include "effects/water/wave_generator.h"
#include "project/image_package.h"

namespace lvtool {

// Options the water commands share: which package, how it is fitted and how fast it runs.
struct RippleOptions {
    std::string package;
    uint32_t seed = 0;
    bool seeded = false;
    int speedPercent = 100;
    bool fit = false;
    int fitWidth = 0;
    int fitHeight = 0;
    bool keepAspect = false;
    bool weather = true;
};

// Reads --seed, --fit WxH, --keep-aspect, --speed and --no-weather.
RippleOptions ReadRippleOptions(const Arguments& args, bool seedRequired);

// A package loaded and handed to a generator in the order the show uses: load, speed, fit,
// SetProject, SetWeather(false), Prepare (seeded with the chosen seed), SetWeather(Kind > 0).
class RippleSession {
public:
    explicit RippleSession(const RippleOptions& options);
    lv::WaveGenerator& Generator() { return *generator_; }

private:
    std::unique_ptr<lv::ImagePackage> project_;
    std::optional<lv::FittedWater> fitted_;
    std::unique_ptr<lv::WaveGenerator> generator_;
};

}  // namespace lvtool
