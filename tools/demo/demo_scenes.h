#pragma once

#include "common/bitmap32.h"

namespace lvdemo {

// Pictures for the demo saver, painted by code so that every byte of the demo is reproducible.
// Each scene comes with its water mask in the area key colours (black = no water).
struct Scene {
    lv::Bitmap32 picture;
    lv::Bitmap32 mask;
};

Scene PaintHarbourAtDusk(int width, int height);  // sea (area 1) and a pond (area 2)
Scene PaintWinterLake(int width, int height);     // lake (area 1)
lv::Bitmap32 PaintForest(int width, int height);  // still picture, no water

}  // namespace lvdemo
