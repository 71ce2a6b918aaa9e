// lvtool mask: the decoded area mask of an image package as a picture.
#include <cstdio>

#include "codecs/picture_codecs.h"
#include "command.h"
#include "common/error.h"
#include "common/file_util.h"
#include "project/image_package_reader.h"

namespace lvtool {
namespace {

int Run(const std::vector<std::string>& words) {
    const Arguments args(words, {}, {});
    args.ExpectPositionalCount(2);
    const std::string& package = args.Required(0, "PACKAGE.lvp");
    const std::string& output = args.Required(1, "OUT.bmp");

    // Only the mask is needed, so the JPEGs are not decoded.
    lv::ImagePackageReader loader;
    loader.Load(package);
    lv::AreaMask mask;
    loader.GetMask(mask);
    if (mask.Empty()) throw lv::Error("the package's area mask is empty", package);
    lv::WriteFileAtomically(output, lv::EncodeBmp24(mask.ToColours()));
    std::printf("%s: %d x %d area mask\n", output.c_str(), mask.Width(), mask.Height());
    return 0;
}

const CommandRegistration registration({
    "mask",
    "PACKAGE.lvp OUT.bmp",
    "write an image package's decoded area mask as a 24-bit BMP",
    "Pixels of area 1 are blue (0000FF), area 2 magenta (FF00FF), area 3 red (FF0000),\n"
    "area 4 yellow (FFFF00); pixels of no area, and pixels no run covers, are black.\n"
    "The picture is written to a temporary name and then renamed over OUT.bmp.",
    Run,
});

}  // namespace
}  // namespace lvtool
