#pragma once

#include <string>

#include "effects/surface/pixel_surface.h"

namespace lvtool {

// Reads a BMP file into a pixel surface. The file's bottom-up rows become the surface's rows
// in the same order, so the picture keeps its orientation. Raises lv::Error naming the file.
lv::PixelSurface ReadSurfaceBmp(const std::string& path);
// Writes the surface as a 24-bit bottom-up BMP file, row index 0 first.
void WriteSurfaceBmp(const lv::PixelSurface& surface, const std::string& path);

}  // namespace lvtool
