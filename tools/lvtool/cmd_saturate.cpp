// lvtool saturate: the saturation filter (the thumbnail list greys pictures with amount 1).
#include <string>

#include "command.h"
#include "effects/filters/pixel_filters.h"
#include "surface_files.h"

namespace lvtool {
namespace {

int Run(const std::vector<std::string>& words) {
    const Arguments args(words, {}, {});
    args.ExpectPositionalCount(3);
    const int amount = static_cast<int>(ParseInteger(args.Positional()[1], "AMOUNT", 0, 65536));
    lv::PixelSurface surface = ReadSurfaceBmp(args.Positional()[0]);
    lv::AdjustSaturation(surface, amount);
    WriteSurfaceBmp(surface, args.Positional()[2]);
    return 0;
}

const CommandRegistration registration({
    "saturate",
    "IN.bmp AMOUNT OUT.bmp",
    "Change the colour saturation of a BMP picture and write it as a 24-bit BMP.",
    "AMOUNT 256 keeps the colours, 0 turns every pixel into the mean of its three\n"
    "channels, values between fade the colours and values above 256 strengthen them\n"
    "(AMOUNT is 0 .. 65536).",
    Run,
});

}  // namespace
}  // namespace lvtool
