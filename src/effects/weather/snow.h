#pragma once

#include <cstdint>
#include <vector>

#include "common/bitmap32.h"
#include "common/pixel_rect.h"

namespace lv {

// One snowflake: X, Y is the top-left corner of its Size x Size box in pixels.
struct SnowFlake {
    double X = 0;
    double Y = 0;
    int32_t Size = 2;   // 2 .. 4; larger flakes fall faster
    int32_t Drift = 0;  // -1, 0 or 1: sideways movement per unit of fall
};

// Falling snow drawn as small white discs with a light grey rim on a borrowed layer. The
// owner sets the speed before every Step, which moves all flakes and draws them; flakes do not
// settle, since the layer is redrawn from the picture before each Step.
class Snow {
public:
    static constexpr int32_t MaxCount = 1000;

    // A new snow has SpeedLevel 2 and speed percentage 0; the owner sets both before stepping.
    Snow() = default;

    void SetTarget(Bitmap32* target) { target_ = target; }
    Bitmap32* Target() const { return target_; }

    // Count for the next Place: above MaxCount is cut to MaxCount, below 0 taken as 0.
    void SetCount(int32_t count);
    int32_t Count() const { return count_; }

    void SetSpeedLevel(int32_t level) { speed_level_ = level; }  // index into SpeedTable
    int32_t SpeedLevel() const { return speed_level_; }
    void SetSpeedPercent(int32_t percent) { speed_percent_ = percent; }
    int32_t SpeedPercent() const { return speed_percent_; }

    // Makes Count flakes at random places on the target (an absent target counts as 0 x 0).
    void Place();
    // Moves every flake by one frame (sizes flicker at random), then draws them all.
    void Step();
    // Step in two halves, for an owner that saves what the drawing will cover: Advance moves
    // every flake by one frame, DrawOnTarget draws them all where they are.
    void Advance();
    void DrawOnTarget() const;
    // Adds the boxes, clipped to the target, that hold every pixel the last Step drew.
    void AddDrawnBoxes(std::vector<PixelRect>& boxes) const;

    const std::vector<SnowFlake>& Flakes() const { return flakes_; }
    // Replaces the flakes with a saved or hand-made state (tests, tools) and sets Count to
    // their number. Raises lv::Error, changing nothing, for more than MaxCount flakes or one
    // outside Size 2 .. 4 and Drift -1 .. 1.
    void SetFlakes(std::vector<SnowFlake> flakes);

private:
    void Move(int64_t width, int64_t height);
    void Draw(Bitmap32& target) const;

    Bitmap32* target_ = nullptr;
    int32_t count_ = 0;
    int32_t speed_level_ = 2;
    int32_t speed_percent_ = 0;
    std::vector<SnowFlake> flakes_;
};

}  // namespace lv
