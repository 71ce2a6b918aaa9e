#pragma once

#include <QColor>
#include <QImage>

#include "common/bitmap32.h"

namespace lv {

// A copy of a 32-bit picture as an opaque Qt image (0x00RRGGBB is Qt's RGB32 layout).
QImage ToQImage(const Bitmap32& picture);
Bitmap32 FromQImage(const QImage& image);

// The picture with every pixel of `transparent` made fully transparent, for faces that are
// drawn "with transparency" over what lies beneath.
QImage WithTransparentColor(const QImage& image, QColor transparent);

// The colour of the bottom-left pixel: a picture's transparent colour unless set otherwise.
QColor BottomLeftColor(const QImage& image);

}  // namespace lv
