#include "effects/water/wave_generator.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "common/error.h"
#include "common/random.h"
#include "effects/water/wave_math.h"
#include "effects/water/wave_step_reference.h"
#include "effects/weather/rain.h"
#include "effects/weather/snow.h"

namespace lv {

namespace {

// The bounding box of each area that has pixels, from the field's runs.
std::vector<PixelRect> AreaBoundingBoxes(const WaveField& field) {
    std::array<PixelRect, 4> boxes{};
    std::array<bool, 4> seen{};
    for (int32_t row = 0; row < field.Height; ++row) {
        for (uint32_t i = field.RowRunStart[static_cast<size_t>(row)];
             i < field.RowRunStart[static_cast<size_t>(row) + 1]; ++i) {
            const AreaRun& run = field.Runs[i];
            PixelRect& box = boxes[static_cast<size_t>(run.area)];
            if (!seen[static_cast<size_t>(run.area)]) {
                seen[static_cast<size_t>(run.area)] = true;
                box = {run.first, row, run.last + 1, row + 1};
            } else {
                box = {std::min(box.Left, run.first), box.Top, std::max(box.Right, run.last + 1),
                       row + 1};
            }
        }
    }
    std::vector<PixelRect> found;
    for (size_t k = 0; k < boxes.size(); ++k)
        if (seen[k]) found.push_back(boxes[k]);
    return found;
}

void CopyRect(const Bitmap32& from, Bitmap32& onto, const PixelRect& rect) {
    const size_t rowBytes = static_cast<size_t>(rect.Width()) * sizeof(uint32_t);
    for (int y = rect.Top; y < rect.Bottom; ++y)
        std::memcpy(onto.Row(y) + rect.Left, from.Row(y) + rect.Left, rowBytes);
}

}  // namespace

void DrawAtOrigin(const Bitmap32& from, Bitmap32& onto) {
    if (from.Width() == onto.Width() && from.Height() == onto.Height()) {
        if (!from.Empty())
            std::memcpy(onto.Data(), from.Data(), from.PixelCount() * sizeof(uint32_t));
        return;
    }
    const int width = std::min(from.Width(), onto.Width());
    const int height = std::min(from.Height(), onto.Height());
    if (width <= 0) return;
    for (int y = 0; y < height; ++y)
        std::memcpy(onto.Row(y), from.Row(y), static_cast<size_t>(width) * sizeof(uint32_t));
}

WaveGenerator::WaveGenerator() : threads_(std::thread::hardware_concurrency() > 1 ? 2 : 1) {}
WaveGenerator::~WaveGenerator() = default;

void WaveGenerator::SetProject(const WaterSource& source) {
    source_ = source;
    for (size_t k = 0; k < 4; ++k) params_[k] = &source.Waves()[k];
    speedPercent_ = source.SpeedPercent();
}

void WaveGenerator::RequireProject() const {
    if (!source_) throw Error("the water generator has no image package");
}

void WaveGenerator::Prepare() {
    RequireProject();
    // Everything is made anew: nothing drawn on the output so far is put back.
    underWeather_.clear();
    weatherOnOutput_ = false;
    restorePending_ = false;
    const Bitmap32& source = source_->Picture();
    output_.SetSize(source.Width(), source.Height());
    Randomize();
    phase_.fill(0);
    BuildAreaMap(source_->Mask(), source.Width(), source.Height(), field_,
                 source_->MaskStretched());
    waterBoxes_ = AreaBoundingBoxes(field_);
    DrawColumnShifts(params_.data(), field_);
    kernel_.Prepare(field_);
    Step();
    DrawAtOrigin(source, output_);
    underWeather_.clear();
    weatherOnOutput_ = false;
    changed_.assign(1, WholePicture());
}

void WaveGenerator::Step() {
    RequireProject();
    const Bitmap32& source = source_->Picture();
    // The pass reads the picture through the geometry taken at Prepare; a picture resized since
    // then would be read out of bounds.
    if (source.Width() != field_.Width || source.Height() != field_.Height ||
        output_.Width() != field_.Width || output_.Height() != field_.Height)
        throw Error("the picture changed size after the water generator was prepared",
                    source_->FileName());
    // A failing step changes nothing, the weather drawn on the output included.
    wave::CheckCycles(params_.data());
    RemoveWeatherFromOutput();

    if (kernelKind_ == RippleKernelKind::Plain)
        RippleRowsReference(field_, params_.data(), phase_, source, output_);
    else
        kernel_.Run(field_, params_.data(), phase_, source, output_, threads_);

    for (size_t k = 0; k < 4; ++k) {
        const int64_t s = wave::PhaseIncrement(*params_[k], speedPercent_);
        const int64_t moved =
            params_[k]->Direction != 0 ? int64_t{phase_[k]} + s : int64_t{phase_[k]} - s;
        phase_[k] = wave::WrapToInt32(moved);
    }
    // Outside its areas the output always holds the source picture.
    changed_ = waterBoxes_;
    if (weatherOn_) StepWeather();
}

void WaveGenerator::Restore() {
    RequireProject();
    if (weatherOn_ && !weatherLayer_) {
        // The output is what is shown: it keeps the water and the weather until the next step.
        restorePending_ = true;
        changed_.clear();
        return;
    }
    DrawAtOrigin(source_->Picture(), output_);
    // The weather layer, when shown, takes the restored water at the next step.
    if (weatherOn_ && weatherLayer_)
        changed_.clear();
    else
        changed_ = waterBoxes_;
}

void WaveGenerator::Unload() {
    SetWeather(false);
    restorePending_ = false;
    source_.reset();
    params_ = {};
    output_.Clear();
    field_ = WaveField{};
    waterBoxes_.clear();
    changed_.clear();
}

const Bitmap32& WaveGenerator::ShownPicture() const {
    return weatherOn_ && weatherLayer_ ? *weatherLayer_ : output_;
}

void WaveGenerator::SetWeather(bool on) {
    RemoveWeatherFromOutput();
    weatherOn_ = on;
    weatherLayer_.reset();
    snow_.reset();
    rain_.reset();
    weatherBoxes_.clear();
    weatherLayerFresh_ = on;
    changed_.assign(1, WholePicture());
    if (!on) return;
    Bitmap32* target = &output_;
    if (weatherRedraw_ == WeatherRedraw::Whole) {
        weatherLayer_ = std::make_unique<Bitmap32>(output_.Width(), output_.Height());
        target = weatherLayer_.get();
    }
    if (!source_) return;
    const WeatherParameters& weather = source_->Weather();
    if (weather.Kind == 1) {
        snow_ = std::make_unique<Snow>();
        snow_->SetTarget(target);
        snow_->SetCount(weather.Count);
        snow_->Place();
    } else if (weather.Kind == 2) {
        rain_ = std::make_unique<Rain>();
        rain_->SetLengthFactor(10);
        rain_->SetCount(100);
        rain_->SetTarget(target);
        rain_->SetCount(weather.Count);
        rain_->Place();
    }
}

void WaveGenerator::RefreshWeatherLayer() {
    if (weatherLayerFresh_ || weatherRedraw_ == WeatherRedraw::Whole ||
        weatherLayer_->Width() != output_.Width() || weatherLayer_->Height() != output_.Height()) {
        DrawAtOrigin(output_, *weatherLayer_);
        weatherLayerFresh_ = false;
        changed_.assign(1, WholePicture());
        return;
    }
    // The layer is the output with the last drops drawn over it, and the output has changed
    // only in the water's boxes since.
    for (const PixelRect& box : weatherBoxes_) CopyRect(output_, *weatherLayer_, box);
    for (const PixelRect& box : waterBoxes_) CopyRect(output_, *weatherLayer_, box);
    changed_.insert(changed_.end(), weatherBoxes_.begin(), weatherBoxes_.end());
}

void WaveGenerator::StepWeather() {
    const bool onOutput = !weatherLayer_;
    if (onOutput) {
        // The last drops were taken off the output before the water moved: show the water there.
        if (weatherLayerFresh_) {
            weatherLayerFresh_ = false;
            changed_.assign(1, WholePicture());
        } else {
            changed_.insert(changed_.end(), weatherBoxes_.begin(), weatherBoxes_.end());
        }
    } else {
        RefreshWeatherLayer();
    }
    weatherBoxes_.clear();
    const WeatherParameters& weather = source_->Weather();
    if (weather.Kind == 1 && snow_) {
        snow_->SetSpeedPercent(speedPercent_);
        snow_->SetSpeedLevel(weather.SpeedLevel);
        snow_->Advance();
        snow_->AddDrawnBoxes(weatherBoxes_);
        if (onOutput) SaveUnderWeather();
        snow_->DrawOnTarget();
    } else if (weather.Kind == 2 && rain_) {
        rain_->SetSpeedPercent(speedPercent_);
        rain_->SetSpeedLevel(weather.SpeedLevel);
        rain_->SetLengthFactor(weather.Length);
        rain_->SetAngleTerm(static_cast<int32_t>(180 - int64_t{weather.Angle}));
        rain_->Advance();
        rain_->AddDrawnBoxes(weatherBoxes_);
        if (onOutput) SaveUnderWeather();
        rain_->DrawOnTarget();
    }
    if (changed_.size() != 1 || !(changed_[0] == WholePicture()))
        changed_.insert(changed_.end(), weatherBoxes_.begin(), weatherBoxes_.end());
}

void WaveGenerator::SaveUnderWeather() {
    // Every box is saved before anything is drawn, so each copy holds the water alone and the
    // copies can go back in any order, overlapping or not.
    underWeather_.clear();
    for (const PixelRect& box : weatherBoxes_)
        for (int y = box.Top; y < box.Bottom; ++y)
            underWeather_.insert(underWeather_.end(), output_.Row(y) + box.Left,
                                 output_.Row(y) + box.Right);
    weatherOnOutput_ = true;
}

void WaveGenerator::RemoveWeatherFromOutput() {
    if (weatherOnOutput_) {
        const uint32_t* saved = underWeather_.data();
        for (const PixelRect& box : weatherBoxes_)
            for (int y = box.Top; y < box.Bottom; ++y) {
                std::memcpy(output_.Row(y) + box.Left, saved,
                            static_cast<size_t>(box.Width()) * sizeof(uint32_t));
                saved += box.Width();
            }
        underWeather_.clear();
        weatherOnOutput_ = false;
    }
    if (restorePending_) {
        restorePending_ = false;
        if (source_) DrawAtOrigin(source_->Picture(), output_);
    }
}

}  // namespace lv
