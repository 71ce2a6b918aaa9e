#pragma once

#include <cstdint>
#include <vector>

#include "saver/show_clock.h"

namespace lv::test {

// A clock that moves only when told to: sleeping advances it by the time slept, and every
// reading can add a fixed cost, which stands for work done between two readings.
class FakeClock final : public Clock {
public:
    explicit FakeClock(uint32_t start = 0) : now_(start) {}

    uint32_t GetTickCount() override {
        const uint32_t value = now_;
        now_ += costPerReading_;
        return value;
    }
    void Sleep(uint32_t milliseconds) override {
        sleeps_.push_back(milliseconds);
        now_ += milliseconds;
    }

    void Advance(uint32_t milliseconds) { now_ += milliseconds; }
    void Set(uint32_t value) { now_ = value; }
    uint32_t Now() const { return now_; }
    void SetCostPerReading(uint32_t milliseconds) { costPerReading_ = milliseconds; }
    const std::vector<uint32_t>& Sleeps() const { return sleeps_; }

private:
    uint32_t now_;
    uint32_t costPerReading_ = 0;
    std::vector<uint32_t> sleeps_;
};

}  // namespace lv::test
