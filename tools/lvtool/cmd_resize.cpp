// lvtool resize: scales a BMP picture with the pixel surfaces' bilinear (or nearest-pixel)
// resize, the one the show uses to fit pictures to the screen.
#include <string>

#include "command.h"
#include "surface_files.h"

namespace lvtool {
namespace {

int Run(const std::vector<std::string>& words) {
    const Arguments args(words, {}, {"nearest"});
    args.ExpectPositionalCount(3);
    int width = 0, height = 0;
    ParseSize(args.Positional()[1], width, height);
    const lv::PixelSurface source = ReadSurfaceBmp(args.Positional()[0]);
    lv::PixelSurface target(width, height);
    if (args.Has("nearest"))
        source.ResizeNearestInto(target);
    else
        source.ResizeSmoothInto(target);
    WriteSurfaceBmp(target, args.Positional()[2]);
    return 0;
}

const CommandRegistration registration({
    "resize",
    "IN.bmp WxH OUT.bmp [--nearest]",
    "Resize a BMP picture to W x H pixels and write it as a 24-bit BMP.",
    "The resize is the bilinear one (17.15 fixed point) the show fits pictures with;\n"
    "--nearest takes the nearest-pixel resize instead. W and H are 1 .. 16384.",
    Run,
});

}  // namespace
}  // namespace lvtool
