#include "gui/qt/controls/qt_bitmap.h"

#include <cstring>

namespace lv {

QImage ToQImage(const Bitmap32& picture) {
    if (picture.Empty()) return {};
    QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
    for (int y = 0; y < picture.Height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
        const uint32_t* source = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x) row[x] = 0xFF000000u | source[x];
    }
    return image;
}

Bitmap32 FromQImage(const QImage& image) {
    if (image.isNull()) return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    Bitmap32 picture(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y));
        uint32_t* target = picture.Row(y);
        for (int x = 0; x < rgb.width(); ++x) target[x] = row[x] & 0x00FFFFFFu;
    }
    return picture;
}

QImage WithTransparentColor(const QImage& image, QColor transparent) {
    if (image.isNull()) return image;
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const uint32_t key = transparent.rgb() & 0x00FFFFFFu;
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((row[x] & 0x00FFFFFFu) == key) row[x] = 0;
    }
    return out;
}

QColor BottomLeftColor(const QImage& image) {
    if (image.isNull()) return QColor(Qt::white);
    return QColor::fromRgb(image.pixel(0, image.height() - 1));
}

}  // namespace lv
