#pragma once

#include <functional>
#include <memory>

namespace lv {

// The timer behind a button's auto-repeat. The button only starts, re-times and stops it, so a
// test can drive the repeat with a timer of its own instead of waiting for real time.
class RepeatTimer {
public:
    virtual ~RepeatTimer() = default;
    virtual void Start(int intervalMs) = 0;  // (re)starts counting the interval from now
    virtual void SetInterval(int intervalMs) = 0;
    virtual void Stop() = 0;
    virtual void Pause() = 0;   // stops counting, keeps the interval
    virtual void Resume() = 0;  // counts the interval again from now
    virtual bool Active() const = 0;
    std::function<void()> OnTimeout;
};

using RepeatTimerFactory = std::function<std::unique_ptr<RepeatTimer>()>;

}  // namespace lv
