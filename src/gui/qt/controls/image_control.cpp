#include "gui/qt/controls/image_control.h"

#include <QPainter>

#include "gui/qt/controls/qt_bitmap.h"

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
    const QSize own = picture_.deviceIndependentSize().toSize();
    QRect target(QPoint(0, 0), own);
    if (stretch_) {
        target =
            Proportional ? QRect(QPoint(0, 0), own.scaled(size(), Qt::KeepAspectRatio)) : rect();
    }
    if (Center) target.moveCenter(rect().center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, face);
}

}  // namespace lv
