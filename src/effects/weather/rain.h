#pragma once

#include <cstdint>
#include <vector>

#include "common/bitmap32.h"
#include "common/pixel_rect.h"

namespace lv {

// One rain streak: X, Y is its upper end in pixels. Heavier drops fall faster and are drawn
// longer and lighter.
struct RainDrop {
    double X = 0;
    double Y = 0;
    int32_t Weight = 2;  // 2 .. 4
    int32_t Length = 1;  // 1 .. 4
};

// Falling rain drawn as short slanted grey streaks on a borrowed layer. The owner sets the
// speed, length and angle before every Step, which moves all drops and draws them; the layer
// is expected to be redrawn from the picture before each Step, so streaks leave no trails.
// Drops are created once by Place and wrap around the layer's edges for ever after.
class Rain {
public:
    static constexpr int32_t MaxCount = 1000;

    // A new rain has SpeedLevel 2 and speed percentage, length factor and angle term 0; the
    // owner sets all four before stepping.
    Rain() = default;

    void SetTarget(Bitmap32* target) { target_ = target; }
    Bitmap32* Target() const { return target_; }

    // Count for the next Place: above MaxCount is cut to MaxCount, below 0 taken as 0.
    void SetCount(int32_t count);
    int32_t Count() const { return count_; }

    void SetSpeedLevel(int32_t level) { speed_level_ = level; }  // index into SpeedTable
    int32_t SpeedLevel() const { return speed_level_; }
    void SetSpeedPercent(int32_t percent) { speed_percent_ = percent; }
    int32_t SpeedPercent() const { return speed_percent_; }
    void SetLengthFactor(int32_t factor) { length_factor_ = factor; }  // 10 = streaks 1x long
    int32_t LengthFactor() const { return length_factor_; }
    // Fall direction term in degrees, 180 - the weather angle: 90 falls straight down.
    void SetAngleTerm(int32_t degrees) { angle_term_ = degrees; }
    int32_t AngleTerm() const { return angle_term_; }

    // Makes Count drops at random places on the target (an absent target counts as 0 x 0).
    void Place();
    // Moves every drop by one frame, then draws them all on the target.
    void Step();
    // Step in two halves, for an owner that saves what the drawing will cover: Advance moves
    // every drop by one frame, DrawOnTarget draws them all where they are.
    void Advance();
    void DrawOnTarget() const;
    // Adds the boxes, clipped to the target, that hold every pixel the last Step drew.
    void AddDrawnBoxes(std::vector<PixelRect>& boxes) const;

    const std::vector<RainDrop>& Drops() const { return drops_; }
    // Replaces the drops with a saved or hand-made state (tests, tools) and sets Count to
    // their number. Raises lv::Error, changing nothing, for more than MaxCount drops or one
    // outside Weight 2 .. 4 and Length 1 .. 4.
    void SetDrops(std::vector<RainDrop> drops);

private:
    // A streak's start, the end of its darker part and its end.
    struct Streak {
        int64_t X0, Y0, Xm, Ym, X1, Y1;
    };
    Streak StreakOf(const RainDrop& drop) const;
    void Move(int64_t width, int64_t height);
    void Draw(Bitmap32& target) const;

    Bitmap32* target_ = nullptr;
    int32_t count_ = 0;
    int32_t speed_level_ = 2;
    int32_t speed_percent_ = 0;
    int32_t length_factor_ = 0;
    int32_t angle_term_ = 0;
    std::vector<RainDrop> drops_;
};

}  // namespace lv
