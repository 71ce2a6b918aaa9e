#include "surface_files.h"

#include "codecs/picture_codecs.h"
#include "common/file_util.h"

namespace lvtool {

lv::PixelSurface ReadSurfaceBmp(const std::string& path) {
    lv::PixelSurface surface;
    surface.LoadFromBitmap32(lv::DecodeBmp(lv::ReadFileBytes(path), path));
    return surface;
}

void WriteSurfaceBmp(const lv::PixelSurface& surface, const std::string& path) {
    lv::WriteFileAtomically(path, lv::EncodeBmp24(surface.ToBitmap32()));
}

}  // namespace lvtool
