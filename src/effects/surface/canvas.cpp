#include "effects/surface/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace lv {
namespace {

// Line and ellipse set-up multiplies 33-bit quantities; 128-bit integers keep that exact.
__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

Int128 FloorDiv(Int128 a, Int128 b) {  // b > 0
    Int128 q = a / b;
    if (a % b != 0 && a < 0) --q;
    return q;
}

Int128 CeilDiv(Int128 a, Int128 b) {  // b > 0
    Int128 q = a / b;
    if (a % b != 0 && a > 0) ++q;
    return q;
}

uint64_t IntegerSqrt(uint64_t value) {  // value < 2^62
    auto root = static_cast<uint64_t>(std::sqrt(static_cast<long double>(value)));
    while (root > 0 && root * root > value) --root;
    while ((root + 1) * (root + 1) <= value) ++root;
    return root;
}

// The ellipse's pixels in one row as the closed column range [left, right]; empty when
// left > right.
struct Span {
    int64_t left = 1;
    int64_t right = 0;
    bool Empty() const { return left > right; }
};

// Box edges in pixels, right and bottom exclusive; width and height are positive and at most
// Canvas::MaxEllipseSide, so w^2 (h^2 - Y^2) stays below 2^120.
struct EllipseBox {
    int64_t left, top, right, bottom, width, height;

    Span RowSpan(int64_t y) const {
        if (y < top || y >= bottom) return {};
        const int64_t twice_dy = 2 * y + 1 - (top + bottom);  // |twice_dy| < height
        if (width < SmallSide && height < SmallSide) {        // w^2 h^2 < 2^64: no wide division
            const auto h2 = static_cast<uint64_t>(height * height);
            const auto rest = h2 - static_cast<uint64_t>(twice_dy * twice_dy);
            const auto w2 = static_cast<uint64_t>(width * width);
            return Around(IntegerSqrt(w2 * rest / h2));
        }
        const UInt128 h2 = static_cast<UInt128>(height) * static_cast<UInt128>(height);
        const UInt128 rest = h2 - static_cast<UInt128>(twice_dy * twice_dy);
        const UInt128 w2 = static_cast<UInt128>(width) * static_cast<UInt128>(width);
        // Largest |X| with X^2 h^2 <= w^2 (h^2 - Y^2); the quotient is at most w^2 < 2^62.
        return Around(IntegerSqrt(static_cast<uint64_t>(w2 * rest / h2)));
    }

    // The columns whose |X| is at most max_twice_dx, where X = 2x + 1 - (left + right).
    Span Around(uint64_t max_twice_dx) const {
        const int64_t twice_centre = left + right - 1;
        const auto reach = static_cast<int64_t>(max_twice_dx);
        // Halving with shifts: an arithmetic right shift floors, also for negative values.
        return {-((reach - twice_centre) >> 1), (twice_centre + reach) >> 1};
    }

    static constexpr int64_t SmallSide = int64_t{1} << 16;
};

void FillSpan(uint32_t* row, int64_t from, int64_t to, int64_t width, uint32_t colour) {
    from = std::max<int64_t>(from, 0);
    to = std::min<int64_t>(to, width - 1);
    if (from <= to) std::fill(row + from, row + to + 1, colour);
}

}  // namespace

void Canvas::LineTo(int x, int y) {
    const Point from = pen_pos_;
    pen_pos_ = {x, y};
    const int64_t width = target_.Width();
    const int64_t height = target_.Height();
    if (width == 0 || height == 0) return;

    const int64_t dx = int64_t{x} - from.x;
    const int64_t dy = int64_t{y} - from.y;
    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    const int64_t n = x_major ? std::llabs(dx) : std::llabs(dy);
    if (n == 0) return;

    // The line in major/minor terms: P_i = (major0 + major_sign * i, minor0 + minor_sign * off_i)
    // with off_i = floor((2 i a + bias) / 2n). The bias makes exact halves round towards the
    // smaller coordinate: down in offset when the minor coordinate grows, up when it shrinks.
    const int64_t major0 = x_major ? from.x : from.y;
    const int64_t minor0 = x_major ? from.y : from.x;
    const int64_t major_delta = x_major ? dx : dy;
    const int64_t minor_delta = x_major ? dy : dx;
    const int64_t major_sign = major_delta > 0 ? 1 : -1;
    const int64_t minor_sign = minor_delta < 0 ? -1 : 1;
    const int64_t a = std::llabs(minor_delta);
    const int64_t bias = minor_sign > 0 ? n - 1 : n;
    const int64_t major_limit = x_major ? width : height;
    const int64_t minor_limit = x_major ? height : width;

    // Steps first .. last are drawn, starting with the remainder of step first. A line with
    // both ends inside the bitmap needs no clipping, which is the common case and saves the
    // wide divisions below.
    int64_t first = 0;
    int64_t last = n - 1;
    int64_t offset = 0;
    int64_t remainder = bias;
    const bool ends_inside = from.x >= 0 && from.x < width && from.y >= 0 && from.y < height &&
                             x >= 0 && x < width && y >= 0 && y < height;
    if (!ends_inside) {
        // Clip: the steps i whose major coordinate lies inside the bitmap...
        Int128 lo = 0;
        Int128 hi = n - 1;
        if (major_sign > 0) {
            lo = std::max<Int128>(lo, -major0);
            hi = std::min<Int128>(hi, major_limit - 1 - major0);
        } else {
            lo = std::max<Int128>(lo, major0 - (major_limit - 1));
            hi = std::min<Int128>(hi, major0);
        }
        // ...and whose minor offset does; off_i never decreases, so those steps are a range.
        const int64_t off_low = minor_sign > 0 ? -minor0 : minor0 - (minor_limit - 1);
        const int64_t off_high = minor_sign > 0 ? minor_limit - 1 - minor0 : minor0;
        const Int128 two_n = Int128{2} * n;
        if (a == 0) {
            if (off_low > 0 || off_high < 0) return;
        } else {
            const Int128 two_a = Int128{2} * a;
            lo = std::max(lo, CeilDiv(two_n * off_low - bias, two_a));
            hi = std::min(hi, FloorDiv(two_n * (Int128{off_high} + 1) - 1 - bias, two_a));
        }
        if (lo > hi) return;
        first = static_cast<int64_t>(lo);
        last = static_cast<int64_t>(hi);
        const Int128 numerator = Int128{2} * lo * a + bias;
        remainder = static_cast<int64_t>(numerator % two_n);
        offset = static_cast<int64_t>(numerator / two_n);
    }

    // Walk the range with Bresenham's running remainder.
    const int64_t start_major = major0 + major_sign * first;
    const int64_t start_minor = minor0 + minor_sign * offset;
    const int64_t px = x_major ? start_major : start_minor;
    const int64_t py = x_major ? start_minor : start_major;
    const ptrdiff_t major_step = x_major ? major_sign : major_sign * width;
    const ptrdiff_t minor_step = x_major ? minor_sign * width : minor_sign;
    uint32_t* p = target_.Data() + py * width + px;
    const int64_t two_a = 2 * a;
    const int64_t two_n64 = 2 * n;
    const uint32_t colour = pen_colour_;
    for (int64_t count = last - first + 1;;) {
        *p = colour;
        if (--count == 0) break;
        p += major_step;
        remainder += two_a;
        if (remainder >= two_n64) {
            remainder -= two_n64;
            p += minor_step;
        }
    }
}

void Canvas::Ellipse(int left, int top, int right, int bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    const EllipseBox box{left, top, right, bottom, int64_t{right} - left, int64_t{bottom} - top};
    if (box.width == 0 || box.height == 0) return;
    if (box.width > MaxEllipseSide || box.height > MaxEllipseSide) return;
    const int64_t width = target_.Width();
    const int64_t height = target_.Height();
    if (box.right <= 0 || box.left >= width) return;
    const int64_t first_row = std::max<int64_t>(box.top, 0);
    const int64_t last_row = std::min<int64_t>(box.bottom - 1, height - 1);

    // A pixel is outline when a 4-neighbour is outside the ellipse, so each row needs the
    // spans of the rows above and below; the shape is convex and symmetric, so the filled
    // part of a row is one range inside all three spans.
    Span above = box.RowSpan(first_row - 1);
    Span current = box.RowSpan(first_row);
    for (int64_t y = first_row; y <= last_row; ++y) {
        const Span below = box.RowSpan(y + 1);
        if (!current.Empty()) {
            uint32_t* row = target_.Row(static_cast<int>(y));
            Span inner{std::max({current.left + 1, above.left, below.left}),
                       std::min({current.right - 1, above.right, below.right})};
            if (above.Empty() || below.Empty() || inner.Empty()) {
                FillSpan(row, current.left, current.right, width, pen_colour_);
            } else {
                FillSpan(row, current.left, inner.left - 1, width, pen_colour_);
                FillSpan(row, inner.left, inner.right, width, brush_colour_);
                FillSpan(row, inner.right + 1, current.right, width, pen_colour_);
            }
        }
        above = current;
        current = below;
    }
}

}  // namespace lv
