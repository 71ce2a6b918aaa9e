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

void AreaMask::SetSize(int width, int height) {
    if (width == width_ && height == height_) return;
    CheckPictureSize(width, height, "area mask");
    areas_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), uint8_t{0});
    width_ = width;
    height_ = height;
}

void AreaMask::Clear() {
    areas_.clear();
    areas_.shrink_to_fit();
    width_ = height_ = 0;
}

void AreaMask::Fill(uint8_t area) { std::fill(areas_.begin(), areas_.end(), area); }

Bitmap32 AreaMask::ToColours() const {
    Bitmap32 picture(width_, height_);
    for (int y = 0; y < height_; ++y) {
        const uint8_t* from = Row(y);
        uint32_t* to = picture.Row(y);
        for (int x = 0; x < width_; ++x) to[x] = ColourOfArea(from[x]);
    }
    return picture;
}

void DecodeAreaMask(const std::vector<int32_t>& words, AreaMask& mask) {
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
        const auto area = static_cast<uint8_t>(run.area >= 1 && run.area <= 4 ? run.area : 0);
        int64_t left = run.length;
        while (left > 0) {
            const int y = static_cast<int>(painted / width);
            const int x = static_cast<int>(painted % width);
            const int64_t n = std::min<int64_t>(left, width - x);
            std::fill_n(mask.Row(y) + x, n, area);
            painted += n;
            left -= n;
        }
    }
}

}  // namespace lv
