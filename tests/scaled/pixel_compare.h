#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

namespace lv::test {

// How many pixels of `expected` differ from the pixels of `shot` it should cover with its
// top-left corner at `at`; pixels outside the shot count as different. Both are taken pixel
// by pixel, whatever device pixel ratio they carry.
inline int DifferingPixels(const QImage& shot, QPoint at, const QImage& expected) {
    const QImage a = shot.convertToFormat(QImage::Format_RGB32);
    const QImage b = expected.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) {
            const QPoint p(at.x() + x, at.y() + y);
            if (!a.rect().contains(p) || (a.pixel(p) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) {
                ++differing;
            }
        }
    }
    return differing;
}

}  // namespace lv::test
