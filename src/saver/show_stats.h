#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace lv {

// The environment variable naming a file the show keeps its counters in. Off when unset or
// empty; meant for soak tests and for diagnosing a show that seems stuck.
inline constexpr const char* ShowStatsVariable = "LVCSAVER_STATS";
// How often a running show rewrites the file, in ticks (ms), so a show that is killed leaves
// figures at most this old.
inline constexpr uint32_t ShowStatsIntervalMs = 1000;

struct ShowStats {
    uint64_t Passes = 0;         // passes of a running show
    uint64_t Changes = 0;        // picture changes that went through
    uint64_t DroppedErrors = 0;  // errors dropped with the rest of their pass
};

// "passes=N\nchanges=N\ndropped_errors=N\n".
std::string FormatShowStats(const ShowStats& stats);

// The value of LVCSAVER_STATS, empty when unset.
std::string ShowStatsFileFromEnvironment();

// Writes the counters to a file now and then. Does nothing without a path. A failed write is
// reported once through `warn` and never raises: the statistics must not disturb the show.
class ShowStatsFile {
public:
    using Warning = std::function<void(const std::string& message)>;

    explicit ShowStatsFile(std::string path) : path_(std::move(path)) {}
    bool Enabled() const { return !path_.empty(); }
    // Writes when the interval has passed since the last write (tick difference modulo 2^32).
    void Update(const ShowStats& stats, uint32_t now, const Warning& warn);
    // Writes now (the show's end).
    void Write(const ShowStats& stats, const Warning& warn);

private:
    std::string path_;
    uint32_t lastWrite_ = 0;
    bool written_ = false;
    bool warned_ = false;
};

}  // namespace lv
