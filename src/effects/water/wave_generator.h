#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "common/bitmap32.h"
#include "common/pixel_rect.h"
#include "effects/water/water_source.h"
#include "effects/water/wave_field.h"
#include "effects/water/wave_kernel.h"

namespace lv {

class Rain;
class Snow;

// Where the rain or snow is drawn. Changed: on the output itself, after the pixels the drops or
// flakes will cover have been saved; the next step puts them back before the water moves, so
// the water never sees the weather, and no second picture is kept. Whole: on a layer of its
// own, a full copy of the output made anew at every step. Both show the same pictures; the
// layer is the yardstick for tests. Set before SetWeather.
enum class WeatherRedraw { Changed, Whole };

// Which implementation of the ripple pass a generator runs. Both give identical pictures; the
// plain one is the yardstick for tests and for tracking down differences.
enum class RippleKernelKind { Tuned, Plain };

// Animates the water areas of one image package at a time. The owner calls, per package:
// SetProject, SetWeather(false), Prepare, SetWeather(Kind > 0), then Step once per frame and
// shows ShownPicture(). The generator reads the package through a WaterSource and never changes
// it; what the view points into must outlive the generator or the next SetProject. It owns the
// output picture, the weather layer (if one is kept) and the rain or snow.
class WaveGenerator {
public:
    WaveGenerator();
    ~WaveGenerator();
    WaveGenerator(const WaveGenerator&) = delete;
    WaveGenerator& operator=(const WaveGenerator&) = delete;

    void SetProject(const WaterSource& source);
    // Sizes everything to the picture, re-seeds the random generator, builds the area map and
    // the column offsets, runs one step and then shows the unrippled picture.
    void Prepare();
    // Frees the weather layer and the rain or snow; when `on`, creates them anew for the
    // project's weather kind, sized like the output.
    void SetWeather(bool on);
    // Advances the animation by one frame. Raises DivisionByZeroError, before changing
    // anything, when any area's Cycle is 0.
    void Step();
    // Draws the source picture over the output until the next step. With the weather on, what
    // is shown stays until the next step, which starts from the restored picture.
    void Restore();
    // Forgets the project and frees the pictures and the area map, as a new generator has none;
    // the settings (kernel, threads, redraw) stay.
    void Unload();
    // The parts of ShownPicture() that the last Prepare, SetWeather, Step or Restore may have
    // changed; everything else is as it was. The water changes only inside its areas' bounding
    // boxes and the weather only inside the boxes of its drops or flakes, before and after.
    const std::vector<PixelRect>& ChangedRects() const { return changed_; }

    // The rippled picture; with the weather drawn on it (WeatherRedraw::Changed), the drops or
    // flakes too.
    const Bitmap32& Output() const { return output_; }
    // The picture the rain or snow is drawn on while the weather is on, else null.
    const Bitmap32* WeatherLayer() const { return weatherOn_ ? &ShownPicture() : nullptr; }
    // What the show draws after a step: the weather layer when the weather is on, else Output.
    const Bitmap32& ShownPicture() const;
    bool WeatherOn() const { return weatherOn_; }
    Rain* ActiveRain() { return rain_.get(); }
    Snow* ActiveSnow() { return snow_.get(); }

    int32_t Width() const { return field_.Width; }
    int32_t Height() const { return field_.Height; }
    int32_t SpeedPercent() const { return speedPercent_; }
    int32_t Phase(int area) const { return phase_.at(static_cast<size_t>(area)); }
    const WaveField& Field() const { return field_; }

    void SetKernel(RippleKernelKind kind) { kernelKind_ = kind; }
    void SetWeatherRedraw(WeatherRedraw redraw) { weatherRedraw_ = redraw; }
    // 1 or 2: the tuned pass may split the columns between two threads. Two by default when the
    // machine has more than one core: the picture is the same, it is only ready sooner.
    void SetThreadCount(int threads) { threads_ = threads < 2 ? 1 : 2; }
    RippleKernel& TunedKernel() { return kernel_; }

private:
    void RequireProject() const;
    void StepWeather();
    // Copies the parts of the output that may differ from the weather layer back onto it.
    void RefreshWeatherLayer();
    // The weather drawn on the output: saves the pixels under weatherBoxes_, and puts them back
    // (then any pending Restore) so that the output holds only the water again.
    void SaveUnderWeather();
    void RemoveWeatherFromOutput();
    PixelRect WholePicture() const { return {0, 0, output_.Width(), output_.Height()}; }

    std::optional<WaterSource> source_;
    std::array<const WaveParameters*, 4> params_{};
    int32_t speedPercent_ = 100;
    std::array<int32_t, 4> phase_{};
    WaveField field_;
    RippleKernel kernel_;
    RippleKernelKind kernelKind_ = RippleKernelKind::Tuned;
    int threads_;

    Bitmap32 output_;
    std::unique_ptr<Bitmap32> weatherLayer_;
    std::unique_ptr<Rain> rain_;
    std::unique_ptr<Snow> snow_;
    bool weatherOn_ = false;
    WeatherRedraw weatherRedraw_ = WeatherRedraw::Changed;
    bool weatherLayerFresh_ = false;  // made since the last step: nothing of it is valid yet
    // The output's pixels under weatherBoxes_, row by row, while the weather is drawn on it.
    std::vector<uint32_t> underWeather_;
    bool weatherOnOutput_ = false;
    bool restorePending_ = false;  // a Restore waits for the weather to leave the output

    std::vector<PixelRect> waterBoxes_;    // the bounding box of each area
    std::vector<PixelRect> weatherBoxes_;  // what the last weather step drew
    std::vector<PixelRect> changed_;
};

// Copies the overlapping part of `from` onto `onto` at (0, 0), as drawing one bitmap onto
// another does.
void DrawAtOrigin(const Bitmap32& from, Bitmap32& onto);

}  // namespace lv
