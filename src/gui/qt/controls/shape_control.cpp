#include "gui/qt/controls/shape_control.h"

#include <QPainter>
#include <algorithm>

namespace lv {

ShapeControl::ShapeControl(QWidget* parent) : QWidget(parent) {}

void ShapeControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(PenClear || PenWidth <= 0
                       ? QPen(Qt::NoPen)
                       : QPen(PenColor, PenWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(BrushClear ? QBrush(Qt::NoBrush) : QBrush(BrushColor));
    // The pen stays inside the control: half its width in from every side.
    const int inset = PenWidth / 2;
    int w = std::max(width() - std::max(PenWidth, 1), 0);
    int h = std::max(height() - std::max(PenWidth, 1), 0);
    int x = inset;
    int y = inset;
    if (Shape == ShapeKind::Square || Shape == ShapeKind::RoundSquare ||
        Shape == ShapeKind::Circle) {
        const int side = std::min(w, h);
        x += (w - side) / 2;
        y += (h - side) / 2;
        w = h = side;
    }
    const QRect rect(x, y, w, h);
    switch (Shape) {
        case ShapeKind::Rectangle:
        case ShapeKind::Square:
            painter.drawRect(rect);
            break;
        case ShapeKind::RoundRect:
        case ShapeKind::RoundSquare: {
            const int radius = std::min(w, h) / 8;
            painter.setRenderHint(QPainter::Antialiasing);
            painter.drawRoundedRect(rect, radius, radius);
            break;
        }
        case ShapeKind::Ellipse:
        case ShapeKind::Circle:
            painter.setRenderHint(QPainter::Antialiasing);
            painter.drawEllipse(rect);
            break;
    }
}

}  // namespace lv
