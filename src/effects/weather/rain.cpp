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
    Advance();
    DrawOnTarget();
}

void Rain::Advance() {
    const int64_t width = target_ ? target_->Width() : 0;
    const int64_t height = target_ ? target_->Height() : 0;
    Move(width, height);
}

void Rain::DrawOnTarget() const {
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

Rain::Streak Rain::StreakOf(const RainDrop& drop) const {
    const long double slant = CosDegrees(angle_term_);
    const long double length_scale = length_factor_ / 10.0L;
    Streak streak{};
    streak.X0 = Round(drop.X);
    streak.Y0 = Round(drop.Y);
    streak.Y1 = Round(static_cast<long double>(drop.Weight * drop.Length) * length_scale +
                      static_cast<long double>(streak.Y0));
    streak.X1 = Round(slant * static_cast<long double>(streak.Y1 - streak.Y0) +
                      static_cast<long double>(streak.X0));
    streak.Xm = Round(streak.X0 + static_cast<long double>(2 * streak.X1 - 2 * streak.X0) / 3);
    streak.Ym = Round(streak.Y0 + static_cast<long double>(2 * streak.Y1 - 2 * streak.Y0) / 3);
    return streak;
}

void Rain::Draw(Bitmap32& target) const {
    Canvas canvas(target);
    for (const RainDrop& drop : drops_) {
        // Darker upper two thirds, brighter lower third: 218, 227, 255 for weights 2, 3, 4.
        const int bright = 55 / (5 - drop.Weight) + 200;
        const Streak streak = StreakOf(drop);
        canvas.MoveTo(CanvasCoordinate(streak.X0), CanvasCoordinate(streak.Y0));
        canvas.SetPenColor(GreyColour(bright - 60));
        canvas.LineTo(CanvasCoordinate(streak.Xm), CanvasCoordinate(streak.Ym));
        canvas.SetPenColor(GreyColour(bright));
        canvas.LineTo(CanvasCoordinate(streak.X1), CanvasCoordinate(streak.Y1));
    }
}

void Rain::AddDrawnBoxes(std::vector<PixelRect>& boxes) const {
    if (!target_ || target_->Empty()) return;
    for (const RainDrop& drop : drops_) {
        // The three points bound both lines (whose last pixels fall short of their ends).
        const Streak s = StreakOf(drop);
        const PixelRect box = ClipToPicture(
            std::min({s.X0, s.Xm, s.X1}), std::min({s.Y0, s.Ym, s.Y1}),
            std::max({s.X0, s.Xm, s.X1}) + 1, std::max({s.Y0, s.Ym, s.Y1}) + 1, target_->Width(),
            target_->Height());
        if (!box.Empty()) boxes.push_back(box);
    }
}

}  // namespace lv
