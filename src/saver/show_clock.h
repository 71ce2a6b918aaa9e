#pragma once

#include <cstdint>

namespace lv {

// The show's sense of time: a millisecond tick count that wraps at 2^32 (about every 49.7
// days), and a sleep. Every duration is taken as the unsigned 32-bit difference of two tick
// counts, so the wrap changes nothing. The show loop, the cross-fade and the frame pacing take
// the clock as a parameter so tests can drive them with a fake one.
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t GetTickCount() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
};

// Milliseconds of a monotonic clock, cut to 32 bits.
class SystemClock final : public Clock {
public:
    uint32_t GetTickCount() override;
    void Sleep(uint32_t milliseconds) override;
};

// Milliseconds from `earlier` to `later`, right across the wrap of the counter.
inline uint32_t TicksBetween(uint32_t earlier, uint32_t later) { return later - earlier; }

}  // namespace lv
