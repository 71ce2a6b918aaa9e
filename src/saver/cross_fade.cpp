#include "saver/cross_fade.h"

#include "common/rounding.h"
#include "saver/show_clock.h"

namespace lv {

CrossFadeSchedule::CrossFadeSchedule(uint32_t durationMilliseconds,
                                     uint32_t firstStepMilliseconds) {
    const uint32_t stepTime = firstStepMilliseconds == 0 ? 1 : firstStepMilliseconds;
    const uint32_t steps = durationMilliseconds / stepTime;
    stepCount_ = steps > INT32_MAX ? INT32_MAX : static_cast<int>(steps);
}

int CrossFadeSchedule::Alpha(int step) const {
    const long double weight = static_cast<long double>(step) * 245 / stepCount_;
    return static_cast<int>(Round(weight)) + FirstCrossFadeAlpha;
}

int RunCrossFade(Clock& clock, uint32_t durationMilliseconds,
                 const std::function<void(int alpha)>& drawStep) {
    const uint32_t start = clock.GetTickCount();
    drawStep(FirstCrossFadeAlpha);
    const uint32_t firstStep = TicksBetween(start, clock.GetTickCount());
    const CrossFadeSchedule schedule(durationMilliseconds, firstStep);
    for (int step = 1; step <= schedule.StepCount(); ++step) {
        drawStep(schedule.Alpha(step));
    }
    return schedule.StepCount() + 1;
}

}  // namespace lv
