#include "saver/show_stats.h"

#include <cstdlib>
#include <exception>

#include "common/file_util.h"

namespace lv {

std::string FormatShowStats(const ShowStats& stats) {
    return "passes=" + std::to_string(stats.Passes) + "\nchanges=" +
           std::to_string(stats.Changes) + "\ndropped_errors=" +
           std::to_string(stats.DroppedErrors) + "\n";
}

std::string ShowStatsFileFromEnvironment() {
    const char* value = std::getenv(ShowStatsVariable);
    return value ? std::string(value) : std::string();
}

void ShowStatsFile::Update(const ShowStats& stats, uint32_t now, const Warning& warn) {
    if (Enabled() && (!written_ || now - lastWrite_ >= ShowStatsIntervalMs)) {
        lastWrite_ = now;
        Write(stats, warn);
    }
}

void ShowStatsFile::Write(const ShowStats& stats, const Warning& warn) {
    if (!Enabled()) return;
    written_ = true;
    try {
        // Atomic, so a reader polling the file never sees half of it.
        WriteFileAtomically(path_, FormatShowStats(stats));
    } catch (const std::exception& error) {
        if (!warned_ && warn) {
            warned_ = true;
            warn(std::string("statistics not written: ") + error.what());
        }
    }
}

}  // namespace lv
