// lvtool blend: one step of the cross-fade between two pictures of the same size.
#include <string>

#include "command.h"
#include "common/error.h"
#include "effects/filters/pixel_filters.h"
#include "surface_files.h"

namespace lvtool {
namespace {

std::string SizeText(const lv::PixelSurface& surface) {
    return std::to_string(surface.Width()) + " x " + std::to_string(surface.Height());
}

int Run(const std::vector<std::string>& words) {
    const Arguments args(words, {}, {});
    args.ExpectPositionalCount(4);
    const auto& p = args.Positional();
    const int amount = static_cast<int>(ParseInteger(p[2], "AMOUNT", 0, 256));
    const lv::PixelSurface first = ReadSurfaceBmp(p[0]);
    const lv::PixelSurface second = ReadSurfaceBmp(p[1]);
    if (first.Width() != second.Width() || first.Height() != second.Height())
        throw lv::Error("the pictures differ in size (" + p[0] + " is " + SizeText(first) + ", " +
                        p[1] + " is " + SizeText(second) + ")");
    lv::PixelSurface target(first.Width(), first.Height());
    lv::BlendSurfaces(target, first, second, amount);
    WriteSurfaceBmp(target, p[3]);
    return 0;
}

const CommandRegistration registration({
    "blend",
    "FIRST.bmp SECOND.bmp AMOUNT OUT.bmp",
    "Blend two BMP pictures of one size: SECOND moved towards FIRST by AMOUNT/256.",
    "Every colour byte moves by floor(AMOUNT x (first - second) / 256); AMOUNT is\n"
    "0 .. 256 (0 gives SECOND, 256 gives FIRST). The cross-fade between pictures runs\n"
    "this with amounts from 10 to 255.",
    Run,
});

}  // namespace
}  // namespace lvtool
