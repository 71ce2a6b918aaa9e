#include "effects/surface/canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "common/random.h"

namespace lv {
namespace {

constexpr uint32_t Back = 0x00102030u;
constexpr uint32_t Pen = 0x00FF0000u;
constexpr uint32_t Brush = 0x0000FF00u;

Bitmap32 Blank(int width, int height) {
    Bitmap32 b(width, height);
    b.Fill(Back);
    return b;
}

// The picture as text, one line per row: '.' background, 'P' pen, 'B' brush.
std::string Picture(const Bitmap32& b) {
    std::string s;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            const uint32_t p = b.Pixel(x, y);
            s += p == Back ? '.' : p == Pen ? 'P' : p == Brush ? 'B' : '?';
        }
        s += '\n';
    }
    return s;
}

std::string Line(int width, int height, int x0, int y0, int x1, int y1) {
    Bitmap32 b = Blank(width, height);
    Canvas c(b);
    c.SetPenColor(Pen);
    c.MoveTo(x0, y0);
    c.LineTo(x1, y1);
    EXPECT_EQ(c.PenPos(), (Canvas::Point{x1, y1}));
    return Picture(b);
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// The line rule written straight from its definition, one pixel at a time: the minor
// coordinate at step i is ceil(ideal - 1/2), i.e. nearest with halves to the smaller value.
void OracleLine(Bitmap32& b, int x0, int y0, int x1, int y1) {
    const int64_t dx = x1 - x0, dy = y1 - y0;
    const int64_t n = std::max(std::llabs(dx), std::llabs(dy));
    for (int64_t i = 0; i < n; ++i) {
        int64_t x, y;
        if (std::llabs(dx) >= std::llabs(dy)) {
            x = x0 + (dx > 0 ? i : -i);
            y = -FloorDiv(-(2 * y0 * n + 2 * i * dy - n), 2 * n);
        } else {
            y = y0 + (dy > 0 ? i : -i);
            x = -FloorDiv(-(2 * x0 * n + 2 * i * dx - n), 2 * n);
        }
        if (x >= 0 && y >= 0 && x < b.Width() && y < b.Height())
            b.SetPixel(static_cast<int>(x), static_cast<int>(y), Pen);
    }
}

// The ellipse rule from its definition: membership of each pixel centre, then the outline as
// the members with a 4-neighbour outside.
void OracleEllipse(Bitmap32& b, int l, int t, int r, int bo) {
    if (l > r) std::swap(l, r);
    if (t > bo) std::swap(t, bo);
    const int64_t w = r - l, h = bo - t;
    auto inside = [&](int64_t x, int64_t y) {
        if (x < l || x >= r || y < t || y >= bo) return false;
        const int64_t X = 2 * x + 1 - (l + r), Y = 2 * y + 1 - (t + bo);
        return X * X * h * h + Y * Y * w * w <= w * w * h * h;
    };
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            if (!inside(x, y)) continue;
            const bool rim =
                !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            b.SetPixel(x, y, rim ? Pen : Brush);
        }
}

std::string Ellipse(int width, int height, int l, int t, int r, int bo) {
    Bitmap32 b = Blank(width, height);
    Canvas c(b);
    c.SetPenColor(Pen);
    c.SetBrushColor(Brush);
    c.Ellipse(l, t, r, bo);
    return Picture(b);
}

TEST(CanvasLine, PaintsTheStartButNotTheEndInEveryDirection) {
    EXPECT_EQ(Line(6, 3, 1, 1, 5, 1), "......\n.PPPP.\n......\n");   // horizontal
    EXPECT_EQ(Line(6, 3, 5, 1, 1, 1), "......\n..PPPP\n......\n");   // reversed
    EXPECT_EQ(Line(3, 5, 1, 0, 1, 4), ".P.\n.P.\n.P.\n.P.\n...\n");  // vertical
    EXPECT_EQ(Line(3, 5, 1, 4, 1, 0), "...\n.P.\n.P.\n.P.\n.P.\n");
    EXPECT_EQ(Line(4, 4, 0, 0, 3, 3), "P...\n.P..\n..P.\n....\n");  // diagonal
    EXPECT_EQ(Line(4, 4, 3, 0, 0, 3), "...P\n..P.\n.P..\n....\n");
    EXPECT_EQ(Line(3, 3, 1, 1, 1, 1), "...\n...\n...\n");  // zero length
}

TEST(CanvasLine, RoundsExactHalvesTowardsTheSmallerCoordinate) {
    // Shallow: ideal rows 0, .25, .5, .75 -> 0, 0, 0, 1.
    EXPECT_EQ(Line(5, 2, 0, 0, 4, 1), "PPP..\n...P.\n");
    // The same line backwards covers the same pixels with the end points swapped.
    EXPECT_EQ(Line(5, 2, 4, 1, 0, 0), ".PP..\n...PP\n");
    // Steep: ideal columns 0, .25, .5, .75 -> 0, 0, 0, 1.
    EXPECT_EQ(Line(2, 5, 0, 0, 1, 4), "P.\nP.\nP.\n.P\n..\n");
    EXPECT_EQ(Line(2, 5, 1, 4, 0, 0), "..\nP.\nP.\n.P\n.P\n");
    // Going up: ideal rows 2, 1.5, 1 -> the half goes up to row 1.
    EXPECT_EQ(Line(3, 3, 0, 2, 2, 1), "...\n.P.\nP..\n");
}

TEST(CanvasLine, ClipsAtEveryEdgeExactlyLikeTheUnclippedRule) {
    EXPECT_EQ(Line(4, 3, -5, 1, 10, 1), "....\nPPPP\n....\n");
    EXPECT_EQ(Line(3, 3, 1, -7, 1, 9), ".P.\n.P.\n.P.\n");
    EXPECT_EQ(Line(4, 4, -2, -2, 6, 6), "P...\n.P..\n..P.\n...P\n");
    SetRandomSeed(7);
    for (int k = 0; k < 3000; ++k) {
        const int x0 = Random(40) - 14, y0 = Random(36) - 14;
        const int x1 = Random(40) - 14, y1 = Random(36) - 14;
        Bitmap32 expected = Blank(13, 9);
        OracleLine(expected, x0, y0, x1, y1);
        ASSERT_EQ(Line(13, 9, x0, y0, x1, y1), Picture(expected))
            << x0 << "," << y0 << " -> " << x1 << "," << y1;
    }
}

TEST(CanvasLine, LinesOutsideTheBitmapPaintNothingButMoveThePen) {
    EXPECT_EQ(Line(4, 3, -5, -1, 10, -1), "....\n....\n....\n");
    EXPECT_EQ(Line(4, 3, 4, 0, 4, 3), "....\n....\n....\n");   // the column just right of it
    EXPECT_EQ(Line(4, 3, -3, 0, 0, 3), "....\n....\n....\n");  // ends where it would enter
    Bitmap32 empty;
    Canvas c(empty);
    c.LineTo(5, 5);
    EXPECT_EQ(c.PenPos(), (Canvas::Point{5, 5}));
}

TEST(CanvasLine, ExtremeCoordinatesAreClippedWithoutWalkingTheWholeLine) {
    EXPECT_EQ(Line(5, 5, INT_MIN, INT_MIN, INT_MAX, INT_MAX),
              "P....\n.P...\n..P..\n...P.\n....P\n");
    // 2^32 - 1 columns over one row: column 0 is step 2^31, just past the half-way tie.
    EXPECT_EQ(Line(4, 3, INT_MIN, 0, INT_MAX, 1), "....\nPPPP\n....\n");
    EXPECT_EQ(Line(4, 3, INT_MAX, 1, INT_MIN, 0), "....\nPPPP\n....\n");  // same ideal line
}

TEST(CanvasEllipse, SmallBoxesFollowThePixelCentreRule) {
    EXPECT_EQ(Ellipse(3, 3, 1, 1, 2, 2), "...\n.P.\n...\n");
    EXPECT_EQ(Ellipse(4, 4, 1, 1, 3, 3), "....\n.PP.\n.PP.\n....\n");
    EXPECT_EQ(Ellipse(5, 5, 1, 1, 4, 4), ".....\n.PPP.\n.PBP.\n.PPP.\n.....\n");
    EXPECT_EQ(Ellipse(4, 3, 0, 0, 4, 3), ".PP.\nPBBP\n.PP.\n");
    EXPECT_EQ(Ellipse(4, 4, 0, 0, 4, 4), ".PP.\nPBBP\nPBBP\n.PP.\n");
    EXPECT_EQ(Ellipse(9, 5, 1, 0, 8, 5), "..PPPPP..\n.PBBBBBP.\n.PBBBBBP.\n.PBBBBBP.\n..PPPPP..\n");
    EXPECT_EQ(Ellipse(3, 3, 2, 2, 1, 1), "...\n.P.\n...\n");  // reversed box
    EXPECT_EQ(Ellipse(3, 3, 1, 1, 1, 3), "...\n...\n...\n");  // empty box
}

TEST(CanvasEllipse, MatchesTheRuleForManyBoxesAndClipsAtTheEdges) {
    SetRandomSeed(11);
    for (int k = 0; k < 2000; ++k) {
        const int l = Random(30) - 10, t = Random(26) - 10;
        const int r = l + Random(14) - 2, b = t + Random(12) - 2;
        Bitmap32 expected = Blank(11, 7);
        OracleEllipse(expected, l, t, r, b);
        ASSERT_EQ(Ellipse(11, 7, l, t, r, b), Picture(expected))
            << l << "," << t << " - " << r << "," << b;
    }
}

TEST(CanvasEllipse, ClippingKeepsTheOutlineOfTheWholeShape) {
    // A 5x5 disc whose left two columns are off the bitmap: column 0 is its centre and stays
    // filled, the clipped edge gets no outline.
    EXPECT_EQ(Ellipse(3, 5, -2, 0, 3, 5), "PP.\nBBP\nBBP\nBBP\nPP.\n");
}

TEST(CanvasEllipse, HugeBoxesDrawOnlyTheirVisiblePartOrNothing) {
    const int big = 1 << 29;
    EXPECT_EQ(Ellipse(3, 2, -big, -big, big, big), "BBB\nBBB\n");
    EXPECT_EQ(Ellipse(3, 2, INT_MIN, INT_MIN, INT_MAX, INT_MAX), "...\n...\n");
    EXPECT_EQ(Ellipse(3, 2, 5, 0, 9, 2), "...\n...\n");
}

}  // namespace
}  // namespace lv
