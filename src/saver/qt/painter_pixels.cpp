#include "saver/qt/painter_pixels.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QTransform>
#include <cstring>

namespace lv {

std::optional<PainterPixels> PainterPixels::Of(QPainter& painter) {
    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = engine != nullptr ? engine->paintDevice() : nullptr;
    if (device == nullptr || device->devType() != QInternal::Image ||
        !painter.deviceTransform().isIdentity()) {
        return std::nullopt;
    }
    QImage& image = *static_cast<QImage*>(device);
    if ((image.format() != QImage::Format_RGB32 &&
         image.format() != QImage::Format_ARGB32_Premultiplied) ||
        image.bytesPerLine() % 4 != 0) {
        return std::nullopt;
    }
    return PainterPixels(reinterpret_cast<uint32_t*>(image.bits()), image.bytesPerLine() / 4,
                         image.rect());
}

void PainterPixels::Copy(const Bitmap32& picture, const QRect& from, QPoint to) const {
    const QRect target = QRect(to, from.size()) & area_;
    if (target.isEmpty()) {
        return;
    }
    const QPoint source = from.topLeft() + (target.topLeft() - to);
    const size_t rowBytes = static_cast<size_t>(target.width()) * sizeof(uint32_t);
    for (int row = 0; row < target.height(); ++row) {
        std::memcpy(origin_ + static_cast<ptrdiff_t>(target.top() + row) * stride_ + target.left(),
                    picture.Row(source.y() + row) + source.x(), rowBytes);
    }
}

}  // namespace lv
