#include "saver/display_size.h"

#include <cstdint>

#include "common/error.h"
#include "common/rounding.h"

namespace lv {

namespace {

// Sizes come from bitmaps (at most 65535 a side), so a fitted side always fits an int; the
// clamp only guards against a screen size far outside anything real.
int ToSide(int64_t value) {
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    return value < 0 ? 0 : static_cast<int>(value);
}

}  // namespace

PixelSize DisplaySize(PixelSize picture, PixelSize screen, DisplayRule rule) {
    if (!rule.Stretch) {
        return picture;
    }
    if (!rule.Proportional) {
        return screen;
    }
    if (picture.Height == 0 || screen.Height == 0) {
        throw DivisionByZeroError();
    }
    const long double ratio =
        static_cast<long double>(picture.Width) / static_cast<long double>(picture.Height);
    if (ratio == 0) {
        throw DivisionByZeroError();
    }
    // 64-bit product: a tall picture on a wide screen must not overflow and flip the test.
    const int64_t heightAtScreenWidth =
        static_cast<int64_t>(picture.Height) * screen.Width / screen.Height;
    if (heightAtScreenWidth < picture.Width) {
        return {screen.Width, ToSide(Round(screen.Width / ratio))};
    }
    return {ToSide(Round(screen.Height * ratio)), screen.Height};
}

PixelPoint DisplayPosition(PixelSize drawn, PixelSize screen, DisplayRule rule) {
    if (rule.Stretch && !rule.Proportional) {
        return {0, 0};
    }
    // C++ division truncates toward zero, as the centring rule asks.
    return {static_cast<int>((static_cast<int64_t>(screen.Width) - drawn.Width) / 2),
            static_cast<int>((static_cast<int64_t>(screen.Height) - drawn.Height) / 2)};
}

}  // namespace lv
