#include "effects/weather/rain.h"

#include <algorithm>
#include <string>
#include <utility>

#include "common/error.h"
#include "common/random.h"
#include "common/rounding.h"
#include "effects/surface/canvas.h"
#include "effects/weather/weather_motion.h"

namespace lv {

// Streaks leave the layer by up to this many pixels before they wrap around.
static constexpr int32_t RainMargin = 20;

void Rain::SetCount(int32_t count) { count_ = std::clamp(count, 0, MaxCount); }

void Rain::SetDrops(std::vector<RainDrop> drops) {
    if (drops.size() > static_cast<size_t>(MaxCount))
        throw Error("more than " + std::to_string(MaxCount) + " rain drops");
    for (const RainDrop& drop : drops)
        if (drop.Weight < 2 || drop.Weight > 4 || drop.Length < 1 || drop.Length > 4)
            throw Error("rain drop weight or length out of range");
    drops_ = std::move(drops);
    count_ = static_cast<int32_t>(drops_.size());
}

void Rain::Place() {
    const int32_t width = target_ ? target_->Width() : 0;
    const int32_t height = target_ ? target_->Height() : 0;
    drops_.resize(static_cast<size_t>(count_));
    // The draws share the program-wide sequence, so their order per drop is fixed.
    for (RainDrop& drop : drops_) {
        drop.X = Random(width);
        drop.Y = Random(height);
        drop.Weight = Random(3) + 2;
        drop.Length = Random(4) + 1;
    }
}

void Rain::Step() {
    const int64_t width = target_ ? target_->Width() : 0;
    const int64_t height = target_ ? target_->Height() : 0;
    Move(width, height);
    if (target_ && !target_->Empty()) Draw(*target_);
}

void Rain::Move(int64_t width, int64_t height) {
    const long double unit = WeatherStepUnit(speed_level_, speed_percent_);
    const long double slant = CosDegrees(angle_term_);
    for (RainDrop& drop : drops_) {
        const double old_y = drop.Y;
        drop.Y = static_cast<double>(drop.Y + drop.Weight * unit * 3);
        drop.X = static_cast<double>(drop.X + slant * (static_cast<long double>(drop.Y) - old_y));
        // Sideways wrap first to the right edge, then (only for a drop that was beyond the
        // right) to the left margin; a drop far below re-enters above the top.
        if (drop.X < -RainMargin) drop.X = static_cast<double>(width);
        if (drop.X > width + RainMargin) drop.X = -RainMargin;
        if (drop.Y > height + RainMargin) drop.Y = -RainMargin;
    }
}

void Rain::Draw(Bitmap32& target) const {
    Canvas canvas(target);
    const long double slant = CosDegrees(angle_term_);
    const long double length_scale = length_factor_ / 10.0L;
    for (const RainDrop& drop : drops_) {
        // Darker upper two thirds, brighter lower third: 218, 227, 255 for weights 2, 3, 4.
        const int bright = 55 / (5 - drop.Weight) + 200;
        const int64_t x0 = Round(drop.X);
        const int64_t y0 = Round(drop.Y);
        const int64_t y1 =
            Round(static_cast<long double>(drop.Weight * drop.Length) * length_scale +
                  static_cast<long double>(y0));
        const int64_t x1 =
            Round(slant * static_cast<long double>(y1 - y0) + static_cast<long double>(x0));
        const int64_t xm = Round(x0 + static_cast<long double>(2 * x1 - 2 * x0) / 3);
        const int64_t ym = Round(y0 + static_cast<long double>(2 * y1 - 2 * y0) / 3);
        canvas.MoveTo(CanvasCoordinate(x0), CanvasCoordinate(y0));
        canvas.SetPenColor(GreyColour(bright - 60));
        canvas.LineTo(CanvasCoordinate(xm), CanvasCoordinate(ym));
        canvas.SetPenColor(GreyColour(bright));
        canvas.LineTo(CanvasCoordinate(x1), CanvasCoordinate(y1));
    }
}

}  // namespace lv
