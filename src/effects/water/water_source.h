#pragma once

#include <array>
#include <string>

#include "common/bitmap32.h"
#include "project/image_package.h"

namespace lv {

// An image package's picture, area mask and wave records fitted to a screen (FitProjectToScreen).
// The package itself keeps what it loaded. With StretchPackageMask, Mask stays empty and the
// package's own mask stands in, stretched to the picture's size as the area map is built: the
// stretch only picks pixels, so no stretched copy is needed.
struct FittedWater {
    Bitmap32 Picture;
    AreaMask Mask;
    std::array<WaveParameters, AreaCount> Waves{};
    bool StretchPackageMask = false;
};

// What the water generator reads of an image package: the picture, the area mask, the four wave
// records, the weather record, the speed and the file name for messages. A view: it borrows them
// from the package (and from a fitted copy of its water), which must outlive every use of the
// view, and nothing is changed through it.
class WaterSource {
public:
    // The package as it was loaded. Implicit: every loaded package is a source.
    WaterSource(const ImagePackage& package)
        : picture_(&package.Picture),
          mask_(&package.Mask),
          waves_(&package.Waves),
          weather_(&package.Weather),
          speedPercent_(package.SpeedPercent),
          fileName_(&package.FileName) {}
    // The fitted picture, mask and waves with the package's weather, speed and name.
    WaterSource(const FittedWater& fitted, const ImagePackage& package) : WaterSource(package) {
        picture_ = &fitted.Picture;
        if (!fitted.StretchPackageMask) mask_ = &fitted.Mask;
        maskStretched_ = fitted.StretchPackageMask;
        waves_ = &fitted.Waves;
    }
    // A view of a temporary would outlive what it points into.
    WaterSource(const ImagePackage&&) = delete;
    WaterSource(const FittedWater&&, const ImagePackage&) = delete;
    WaterSource(const FittedWater&, const ImagePackage&&) = delete;

    const Bitmap32& Picture() const { return *picture_; }
    const AreaMask& Mask() const { return *mask_; }
    // Whether Mask() is to be stretched (nearest pixel) to the picture's size; otherwise mask
    // pixels map one to one, and those beyond the mask belong to no area.
    bool MaskStretched() const { return maskStretched_; }
    const std::array<WaveParameters, AreaCount>& Waves() const { return *waves_; }
    const WeatherParameters& Weather() const { return *weather_; }
    int SpeedPercent() const { return speedPercent_; }
    const std::string& FileName() const { return *fileName_; }

private:
    const Bitmap32* picture_;
    const AreaMask* mask_;
    bool maskStretched_ = false;
    const std::array<WaveParameters, AreaCount>* waves_;
    const WeatherParameters* weather_;
    int speedPercent_;
    const std::string* fileName_;
};

}  // namespace lv
