#pragma once

#include "common/bitmap32.h"

namespace lvtool {

// `picture` scaled to width x height by averaging the source pixels each target pixel covers
// (a box filter); a target pixel smaller than a source pixel takes the nearest one.
lv::Bitmap32 ScaleBoxFilter(const lv::Bitmap32& picture, int width, int height);

}  // namespace lvtool
