#include "saver/cross_fade.h"

#include <algorithm>

#include "common/rounding.h"
#include "saver/show_clock.h"

namespace lv {

CrossFadeSchedule::CrossFadeSchedule(uint32_t durationMilliseconds,
                                     uint32_t firstStepMilliseconds) {
    const uint32_t stepTime = std::max(firstStepMilliseconds, CrossFadeStepMilliseconds);
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
    uint32_t stepStart = start;
    for (int step = 1; step <= schedule.StepCount(); ++step) {
        const uint32_t sinceLastStep = TicksBetween(stepStart, clock.GetTickCount());
        if (sinceLastStep < CrossFadeStepMilliseconds) {
            clock.Sleep(CrossFadeStepMilliseconds - sinceLastStep);
        }
        stepStart = clock.GetTickCount();
        drawStep(schedule.Alpha(step));
    }
    return schedule.StepCount() + 1;
}

}  // namespace lv
