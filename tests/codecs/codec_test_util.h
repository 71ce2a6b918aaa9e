#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

#include "common/bitmap32.h"
#include "common/error.h"

namespace lv::test {

// Runs a decode that may fail; a failure must be an lv::Error naming `name`. Returns whether
// the decode succeeded.
inline bool DecodesOrNamesFile(const std::function<Bitmap32()>& decode, const std::string& name) {
    try {
        decode();
        return true;
    } catch (const Error& e) {
        EXPECT_EQ(e.File(), name) << e.what();
        return false;
    }
}

// Copies of `bytes` with a few bytes overwritten, from a fixed sequence (tests stay
// deterministic). Used to check that damaged data never crashes a decoder.
inline std::string Damaged(const std::string& bytes, uint32_t& seed, size_t from = 0) {
    std::string copy = bytes;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    const int count = 1 + static_cast<int>(next() % 4);
    for (int i = 0; i < count; ++i) {
        const size_t at = from + next() % (copy.size() - from);
        copy[at] = static_cast<char>(next() & 0xFF);
    }
    return copy;
}

// A field of /proc/self/status in kB ("VmRSS", "VmHWM").
inline long ProcessStatusKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
    return -1;
}

// How far `work` raises the peak resident memory, in MiB. It runs in a child process, whose
// peak starts at what it shares with this one, so earlier tests' memory does not count.
// Returns -1 when the measurement fails.
inline long PeakMemoryGrowthMiB(const std::function<void()>& work) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        const long before = ProcessStatusKiB("VmRSS");
        try {
            work();
        } catch (...) {
        }
        const long growth = (ProcessStatusKiB("VmHWM") - before) / 1024;
        (void)!::write(pipeEnds[1], &growth, sizeof growth);
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    long growth = -1;
    if (child < 0 || ::read(pipeEnds[0], &growth, sizeof growth) != sizeof growth) growth = -1;
    ::close(pipeEnds[0]);
    if (child > 0) ::waitpid(child, nullptr, 0);
    return growth;
}

}  // namespace lv::test
