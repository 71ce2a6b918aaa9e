#include "effects/weather/snow.h"

#include <algorithm>
#include <string>
#include <utility>

#include "common/error.h"
#include "common/random.h"
#include "common/rounding.h"
#include "effects/surface/canvas.h"
#include "effects/weather/weather_motion.h"

namespace lv {

static constexpr uint32_t FlakeRimColour = GreyColour(225);
static constexpr uint32_t FlakeColour = GreyColour(255);

void Snow::SetCount(int32_t count) { count_ = std::clamp(count, 0, MaxCount); }

void Snow::SetFlakes(std::vector<SnowFlake> flakes) {
    if (flakes.size() > static_cast<size_t>(MaxCount))
        throw Error("more than " + std::to_string(MaxCount) + " snowflakes");
    for (const SnowFlake& flake : flakes)
        if (flake.Size < 2 || flake.Size > 4 || flake.Drift < -1 || flake.Drift > 1)
            throw Error("snowflake size or drift out of range");
    flakes_ = std::move(flakes);
    count_ = static_cast<int32_t>(flakes_.size());
}

void Snow::Place() {
    const int32_t width = target_ ? target_->Width() : 0;
    const int32_t height = target_ ? target_->Height() : 0;
    flakes_.resize(static_cast<size_t>(count_));
    // The draws share the program-wide sequence, so their order per flake is fixed.
    for (SnowFlake& flake : flakes_) {
        flake.X = Random(width);
        flake.Y = Random(height);
        flake.Drift = 1 - Random(3);
        flake.Size = Random(3) + 2;
    }
}

void Snow::Step() {
    Advance();
    DrawOnTarget();
}

void Snow::Advance() {
    const int64_t width = target_ ? target_->Width() : 0;
    const int64_t height = target_ ? target_->Height() : 0;
    Move(width, height);
}

void Snow::DrawOnTarget() const {
    if (target_ && !target_->Empty()) Draw(*target_);
}

void Snow::Move(int64_t width, int64_t height) {
    const long double unit = WeatherStepUnit(speed_level_, speed_percent_);
    for (SnowFlake& flake : flakes_) {
        flake.Y = static_cast<double>(unit * flake.Size + flake.Y);
        flake.X = static_cast<double>(unit * flake.Drift + flake.X);
        // One flake in twenty changes size, and so fall speed, each frame; this draws from
        // the shared sequence even when the snow stands still.
        if (Random(20) == 0) flake.Size = flake.Size + Random(3) - 1;
        if (flake.X < 0) flake.X = static_cast<double>(width);
        if (flake.X > width) flake.X = 0;
        flake.Size = std::clamp(flake.Size, 2, 4);
        if (flake.Y > height - 1) flake.Y = 0;
    }
}

void Snow::Draw(Bitmap32& target) const {
    Canvas canvas(target);
    canvas.SetPenColor(FlakeRimColour);
    canvas.SetBrushColor(FlakeColour);
    for (const SnowFlake& flake : flakes_) {
        const int64_t x = Round(flake.X);
        const int64_t y = Round(flake.Y);
        canvas.Ellipse(CanvasCoordinate(x), CanvasCoordinate(y), CanvasCoordinate(x + flake.Size),
                       CanvasCoordinate(y + flake.Size));
    }
}

void Snow::AddDrawnBoxes(std::vector<PixelRect>& boxes) const {
    if (!target_ || target_->Empty()) return;
    for (const SnowFlake& flake : flakes_) {
        const int64_t x = Round(flake.X);
        const int64_t y = Round(flake.Y);
        // The ellipse's box, put in order as the canvas does.
        const PixelRect box =
            ClipToPicture(std::min(x, x + flake.Size), std::min(y, y + flake.Size),
                          std::max(x, x + flake.Size), std::max(y, y + flake.Size),
                          target_->Width(), target_->Height());
        if (!box.Empty()) boxes.push_back(box);
    }
}

}  // namespace lv
