#include "common/pixel_rect.h"

#include <algorithm>

namespace lv {

PixelRect ClipToPicture(int64_t left, int64_t top, int64_t right, int64_t bottom, int width,
                        int height) {
    const auto clip = [](int64_t value, int limit) {
        return static_cast<int>(std::clamp<int64_t>(value, 0, limit));
    };
    PixelRect rect{clip(left, width), clip(top, height), clip(right, width), clip(bottom, height)};
    return rect.Empty() ? PixelRect{} : rect;
}

std::vector<PixelRect> CoverInBands(const std::vector<PixelRect>& rects, int bandHeight) {
    struct Span {
        int Band;
        int Left;
        int Right;
    };
    struct Rows {
        int Top;
        int Bottom;
    };
    bandHeight = std::max(bandHeight, 1);
    std::vector<Span> spans;
    std::vector<Rows> bandRows;
    for (const PixelRect& rect : rects) {
        if (rect.Empty() || rect.Top < 0 || rect.Left < 0) continue;
        for (int band = rect.Top / bandHeight; band <= (rect.Bottom - 1) / bandHeight; ++band) {
            if (static_cast<size_t>(band) >= bandRows.size())
                bandRows.resize(static_cast<size_t>(band) + 1, Rows{0, 0});
            Rows& rows = bandRows[static_cast<size_t>(band)];
            const int top = std::max(rect.Top, band * bandHeight);
            const int bottom = std::min(rect.Bottom, (band + 1) * bandHeight);
            if (rows.Bottom == 0) {
                rows = {top, bottom};
            } else {
                rows = {std::min(rows.Top, top), std::max(rows.Bottom, bottom)};
            }
            spans.push_back({band, rect.Left, rect.Right});
        }
    }
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
        return a.Band != b.Band ? a.Band < b.Band : a.Left < b.Left;
    });
    std::vector<PixelRect> cover;
    for (size_t i = 0; i < spans.size();) {
        const Span& first = spans[i];
        int right = first.Right;
        size_t next = i + 1;
        while (next < spans.size() && spans[next].Band == first.Band && spans[next].Left <= right) {
            right = std::max(right, spans[next].Right);
            ++next;
        }
        const Rows& rows = bandRows[static_cast<size_t>(first.Band)];
        cover.push_back({first.Left, rows.Top, right, rows.Bottom});
        i = next;
    }
    return cover;
}

}  // namespace lv
