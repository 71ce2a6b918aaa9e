#include "thumbnail.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace lvtool {

lv::Bitmap32 ScaleBoxFilter(const lv::Bitmap32& picture, int width, int height) {
    lv::Bitmap32 out(width, height);
    if (picture.Empty() || out.Empty()) return out;
    const int64_t sourceWidth = picture.Width();
    const int64_t sourceHeight = picture.Height();
    // Source column span of every target column, computed once.
    std::vector<int> left(static_cast<size_t>(width)), right(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x) {
        left[static_cast<size_t>(x)] = static_cast<int>(x * sourceWidth / width);
        right[static_cast<size_t>(x)] = std::max(left[static_cast<size_t>(x)] + 1,
                                                 static_cast<int>((x + 1) * sourceWidth / width));
    }
    for (int y = 0; y < height; ++y) {
        const int top = static_cast<int>(y * sourceHeight / height);
        const int bottom = std::max(top + 1, static_cast<int>((y + 1) * sourceHeight / height));
        uint32_t* target = out.Row(y);
        for (int x = 0; x < width; ++x) {
            uint64_t red = 0, green = 0, blue = 0;
            for (int sy = top; sy < bottom; ++sy) {
                const uint32_t* row = picture.Row(sy);
                for (int sx = left[static_cast<size_t>(x)]; sx < right[static_cast<size_t>(x)];
                     ++sx) {
                    red += (row[sx] >> 16) & 0xFF;
                    green += (row[sx] >> 8) & 0xFF;
                    blue += row[sx] & 0xFF;
                }
            }
            const uint64_t n =
                static_cast<uint64_t>(bottom - top) *
                static_cast<uint64_t>(right[static_cast<size_t>(x)] - left[static_cast<size_t>(x)]);
            target[x] = static_cast<uint32_t>((red + n / 2) / n) << 16 |
                        static_cast<uint32_t>((green + n / 2) / n) << 8 |
                        static_cast<uint32_t>((blue + n / 2) / n);
        }
    }
    return out;
}

}  // namespace lvtool
