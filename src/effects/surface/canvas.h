#pragma once

#include <cstdint>

#include "common/bitmap32.h"

namespace lv {

// A small drawing surface over a Bitmap32 with the few operations the weather effects need:
// a 1-pixel pen, a brush, lines from the pen position and filled ellipses. The conventions
// follow the usual window-framework canvas: a line paints its start point but not its end
// point and leaves the pen there, and an ellipse's bounding box excludes its right and bottom
// edges. Coordinates are pixel columns and rows, row 0 at the top; anything outside the bitmap
// is clipped per span, so no call ever writes outside it, whatever the coordinates.
//
// Line rule. A line from (x0, y0) to (x1, y1) covers n = max(|x1 - x0|, |y1 - y0|) pixels,
// P_0 (the start point) to P_(n-1); the end point P_n is not painted, and a line of length 0
// paints nothing. Along the major axis (x when |dx| >= |dy|, so diagonals are x-major) P_i lies
// i pixels from the start towards the end. Its minor coordinate is the ideal line's value
// there, start_minor + i * d_minor / n, rounded to the nearest integer with exact halves going
// to the smaller coordinate (towards the left or the top). That is Bresenham's line with a
// fixed tie rule, and it makes the pixels of A -> B those of B -> A with the two end points
// swapped.
//
// Ellipse rule. The box (left, top) - (right, bottom) holds the pixel columns left .. right-1
// and rows top .. bottom-1 (a reversed box is put in order first; an empty one draws nothing).
// A pixel belongs to the ellipse when its centre lies inside or on the ellipse inscribed in the
// box: with w and h the box's sides and (X, Y) twice the pixel centre's offset from the box
// centre, X^2 h^2 + Y^2 w^2 <= w^2 h^2. Pixels of the ellipse with a 4-neighbour outside it form
// the outline and take the pen colour; the others are filled with the brush colour. So a 1x1
// and a 2x2 ellipse are all outline, a 3x3 one is a 3x3 square with a brush-coloured centre, a
// 4x4 one is the 4x4 square less its corners with a 2x2 brush-coloured centre, and a 4x3 one
// is the 4x3 box less its corners with the middle two pixels of its middle row brush-coloured.
// Boxes with a side above MaxEllipseSide draw nothing.
class Canvas {
public:
    struct Point {
        int x = 0;
        int y = 0;
        friend bool operator==(const Point&, const Point&) = default;
    };

    static constexpr int PenWidth = 1;  // every line and outline is one pixel wide
    static constexpr int64_t MaxEllipseSide = int64_t{1} << 30;

    explicit Canvas(Bitmap32& target) : target_(target) {}

    void SetPenColor(uint32_t colour) { pen_colour_ = colour; }
    uint32_t PenColor() const { return pen_colour_; }
    void SetBrushColor(uint32_t colour) { brush_colour_ = colour; }
    uint32_t BrushColor() const { return brush_colour_; }

    void MoveTo(int x, int y) { pen_pos_ = {x, y}; }
    // Draws from the pen position to (x, y) without painting (x, y); the pen ends there.
    void LineTo(int x, int y);
    Point PenPos() const { return pen_pos_; }

    void Ellipse(int left, int top, int right, int bottom);

private:
    Bitmap32& target_;
    uint32_t pen_colour_ = 0x00000000u;
    uint32_t brush_colour_ = 0x00FFFFFFu;
    Point pen_pos_;
};

// Grey with red = green = blue = level (0 .. 255).
inline constexpr uint32_t GreyColour(int level) {
    const auto v = static_cast<uint32_t>(level) & 0xFFu;
    return (v << 16) | (v << 8) | v;
}

// Canvas coordinates are 32-bit; positions computed in 64 bits are saturated into that range.
inline int CanvasCoordinate(int64_t value) {
    constexpr int64_t lo = INT32_MIN;
    constexpr int64_t hi = INT32_MAX;
    return static_cast<int>(value < lo ? lo : value > hi ? hi : value);
}

}  // namespace lv
