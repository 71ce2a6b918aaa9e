#include "gui/qt/image_control.h"

#include <QPainter>

#include "gui/qt/qt_bitmap.h"

namespace lv {

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {}

void ImageControl::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void ImageControl::SetStretch(bool on) {
    stretch_ = on;
    update();
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    const QImage face =
        Transparent ? WithTransparentColor(picture_, BottomLeftColor(picture_)) : picture_;
    // A picture made at device pixels carries its ratio and keeps its logical size.
    QRect target(QPoint(0, 0), picture_.deviceIndependentSize().toSize());
    if (stretch_) {
        target = rect();
        if (Proportional) {
            const QSize fitted = target.size().scaled(size(), Qt::KeepAspectRatio);
            target = QRect(QPoint(0, 0), fitted);
        }
    }
    if (Center) target.moveCenter(rect().center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, face);
}

}  // namespace lv
