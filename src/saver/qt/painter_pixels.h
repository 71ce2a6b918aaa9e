#pragma once

#include <QRect>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "common/bitmap32.h"

class QPainter;

namespace lv {

// The pixels a painter paints on (a window's backing store, or a picture being grabbed), when
// the show's pictures can be written into them directly: 32-bit words in the pictures' byte
// order, and each picture pixel one of theirs at the same place. Qt itself copies our
// 0x00RRGGBB words unchanged into both formats that qualify, so writing them directly gives the
// same bytes, without the painter's own passes over the pixels.
class PainterPixels {
public:
    // None when the painter's pixels are not laid out for that, or are scaled or moved.
    static std::optional<PainterPixels> Of(QPainter& painter);

    // The pixel (x, y) is Origin()[y * Stride() + x], for (x, y) in Area().
    uint32_t* Origin() const { return origin_; }
    ptrdiff_t Stride() const { return stride_; }
    QRect Area() const { return area_; }

    // Copies the part `from` of `picture` with its top-left corner at `to`, clipped to Area();
    // `from` must lie in the picture.
    void Copy(const Bitmap32& picture, const QRect& from, QPoint to) const;

private:
    PainterPixels(uint32_t* origin, ptrdiff_t stride, QRect area)
        : origin_(origin), stride_(stride), area_(area) {}

    uint32_t* origin_;
    ptrdiff_t stride_;
    QRect area_;
};

}  // namespace lv
