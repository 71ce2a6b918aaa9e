#include "ripple_session.h"

#include "common/random.h"
#include "effects/water/wave_util.h"

namespace lvtool {

RippleOptions ReadRippleOptions(const Arguments& args, bool seedRequired) {
    RippleOptions options;
    options.package = args.Required(0, "PACKAGE");
    if (seedRequired && !args.Has("seed")) throw UsageError{"missing --seed"};
    if (args.Has("seed")) {
        options.seeded = true;
        options.seed = static_cast<uint32_t>(args.IntValue("seed", 0, 0, 4294967295LL));
    }
    options.speedPercent = static_cast<int>(args.IntValue("speed", 100, 0, 100000));
    if (const auto fit = args.Value("fit")) {
        options.fit = true;
        ParseSize(*fit, options.fitWidth, options.fitHeight);
    } else if (args.Has("keep-aspect")) {
        throw UsageError{"--keep-aspect needs --fit"};
    }
    options.keepAspect = args.Has("keep-aspect");
    options.weather = !args.Has("no-weather");
    return options;
}

RippleSession::RippleSession(const RippleOptions& options)
    : project_(std::make_unique<lv::ImagePackage>()),
      generator_(std::make_unique<lv::WaveGenerator>()) {
    project_->Load(options.package);
    project_->SetSpeedPercent(options.speedPercent);
    if (options.fit)
        fitted_ = lv::FitProjectToScreen(
            options.keepAspect ? lv::AspectRatio::Keep : lv::AspectRatio::Stretch, *project_,
            options.fitWidth, options.fitHeight);
    generator_->SetProject(fitted_ ? lv::WaterSource(*fitted_, *project_)
                                   : lv::WaterSource(*project_));
    generator_->SetWeather(false);
    if (options.seeded) lv::SetFixedRandomize(true, options.seed);
    generator_->Prepare();
    lv::SetFixedRandomize(false);
    if (options.weather) generator_->SetWeather(project_->Weather.Kind > 0);
}

}  // namespace lvtool
