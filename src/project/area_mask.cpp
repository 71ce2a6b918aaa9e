#include "project/area_mask.h"

#include <algorithm>

#include "common/error.h"

namespace lv {

int AreaOfColour(uint32_t pixel) {
    for (size_t i = 0; i < AreaColours.size(); ++i)
        if (AreaColours[i] == pixel) return static_cast<int>(i) + 1;
    return 0;
}

uint32_t ColourOfArea(int area) {
    return area >= 1 && area <= 4 ? AreaColours[static_cast<size_t>(area) - 1] : 0u;
}

MaskRun SplitRun(int32_t value) { return {value / 10, value % 10}; }

void DecodeAreaMask(const std::vector<int32_t>& words, Bitmap32& mask) {
    if (words.size() < 2) throw FormatError("area mask has no size");
    CheckPictureSize(words[0], words[1], "area mask");
    mask.SetSize(words[0], words[1]);
    if (words.size() < 3) return;
    const int64_t width = mask.Width();
    const int64_t total = width * mask.Height();
    int64_t painted = 0;  // pixels covered so far, row-major from the top-left
    for (size_t i = 2; i < words.size(); ++i) {
        const MaskRun run = SplitRun(words[i]);
        if (run.length <= 0) continue;
        // A run of area 0 on a fresh bitmap still paints 0, so it overwrites what was there.
        if (run.length > total - painted)
            throw FormatError("area mask runs cover more than " + std::to_string(width) + " x " +
                              std::to_string(mask.Height()) + " pixels (row index out of range)");
        const uint32_t colour = ColourOfArea(run.area);
        int64_t left = run.length;
        while (left > 0) {
            const int y = static_cast<int>(painted / width);
            const int x = static_cast<int>(painted % width);
            const int64_t n = std::min<int64_t>(left, width - x);
            std::fill_n(mask.Row(y) + x, n, colour);
            painted += n;
            left -= n;
        }
    }
}

}  // namespace lv
