#pragma once

namespace lv {

struct PixelSize {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

struct PixelPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// How a picture is sized on the screen, from [Default] Stretch and Proportional:
//   Stretch off            -> the picture's own size, centred ("Original Size")
//   Stretch on, Prop. off  -> the screen's size at (0, 0)      ("Stretch-Full")
//   Stretch on, Prop. on   -> fitted inside the screen, centred ("Stretch-Proportional")
struct DisplayRule {
    bool Stretch = true;
    bool Proportional = false;
};

// The size a picture of `picture` pixels is drawn at on a `screen`. For the proportional fit
// the picture counts as wider than the screen when h * W div H < w; then the width is the
// screen's and the height round(W / (w / h)), otherwise the height is the screen's and the
// width round(H * (w / h)), rounding halves to even. Raises DivisionByZeroError for an empty
// picture or screen instead of dividing by zero.
PixelSize DisplaySize(PixelSize picture, PixelSize screen, DisplayRule rule);

// Where a picture drawn at `drawn` goes: (0, 0) for Stretch-Full, otherwise centred with
// division rounding toward zero, negative when the picture is larger than the screen (it is
// then cropped equally on both sides).
PixelPoint DisplayPosition(PixelSize drawn, PixelSize screen, DisplayRule rule);

}  // namespace lv
