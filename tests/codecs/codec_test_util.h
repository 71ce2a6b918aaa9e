#pragma once

#include <gtest/gtest.h>

#include <cstdint>
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

}  // namespace lv::test
