#pragma once

#include <cstdint>
#include <functional>

namespace lv {

class Clock;

inline constexpr uint32_t CrossFadeMilliseconds = 2000;
inline constexpr int FirstCrossFadeAlpha = 10;
inline constexpr int LastCrossFadeAlpha = 255;
// The shortest time between two steps: one refresh of a 60 Hz display. A step shown sooner
// would never be seen, and blending as fast as the machine can would hold a core busy for the
// whole fade.
inline constexpr uint32_t CrossFadeStepMilliseconds = 16;

// The weights of a cross-fade. The first step is drawn with alpha 10 and timed; the step time is
// that, but no less than CrossFadeStepMilliseconds; as many further steps follow as fit into the
// duration at that pace, step k of n with alpha Round(k * 245 / n) + 10, so the last is 255. A
// slow machine makes few steps, one slower than the whole duration none.
class CrossFadeSchedule {
public:
    // `firstStepMilliseconds` is what the first step took (0 from a coarse counter is fine).
    CrossFadeSchedule(uint32_t durationMilliseconds, uint32_t firstStepMilliseconds);

    int StepCount() const { return stepCount_; }  // further steps after the first
    int Alpha(int step) const;                    // step 1 ... StepCount()

private:
    int stepCount_;
};

// Runs a cross-fade: draws the first step at alpha 10, times it with `clock`, then draws the
// further steps of the schedule, each starting no sooner than CrossFadeStepMilliseconds after
// the one before (sleeping out the rest). `drawStep` blends at the given alpha and shows the result.
// Returns the number of steps drawn, the first included.
int RunCrossFade(Clock& clock, uint32_t durationMilliseconds,
                 const std::function<void(int alpha)>& drawStep);

}  // namespace lv
