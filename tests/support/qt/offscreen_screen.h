#pragma once

#include <string>

namespace lv::test {

// The screen the front-end tests run on, unless QT_QPA_PLATFORM chooses another.
inline constexpr int TestScreenWidth = 320;
inline constexpr int TestScreenHeight = 240;

inline std::string OffscreenScreenConfig() {
    return R"({"screens":[{"name":"test","x":0,"y":0,"width":)" + std::to_string(TestScreenWidth) +
           R"(,"height":)" + std::to_string(TestScreenHeight) +
           R"(,"logicalDpi":96,"logicalBpi":96,"dpr":1}]})";
}

}  // namespace lv::test
