#include "gui/qt/controls/bevel_control.h"

#include <QPainter>

#include "gui/qt/forms/form_values.h"

namespace lv {

BevelControl::BevelControl(QWidget* parent) : QWidget(parent) {}

void BevelControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor light = NamedColor("clBtnHighlight");
    const QColor dark = NamedColor("clBtnShadow");
    const QColor first = Raised ? light : dark;
    const QColor second = Raised ? dark : light;
    const int w = width();
    const int h = height();
    auto box = [&](QRect r, QColor topLeft, QColor bottomRight) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    };
    switch (Shape) {
        case BevelShape::Box:
            box(rect(), first, second);
            break;
        case BevelShape::Frame:
            box(QRect(0, 0, w - 1, h - 1), first, first);
            box(QRect(1, 1, w - 1, h - 1), second, second);
            break;
        case BevelShape::TopLine:
            painter.fillRect(QRect(0, 0, w, 1), first);
            painter.fillRect(QRect(0, 1, w, 1), second);
            break;
        case BevelShape::BottomLine:
            painter.fillRect(QRect(0, h - 2, w, 1), first);
            painter.fillRect(QRect(0, h - 1, w, 1), second);
            break;
        case BevelShape::LeftLine:
            painter.fillRect(QRect(0, 0, 1, h), first);
            painter.fillRect(QRect(1, 0, 1, h), second);
            break;
        case BevelShape::RightLine:
            painter.fillRect(QRect(w - 2, 0, 1, h), first);
            painter.fillRect(QRect(w - 1, 0, 1, h), second);
            break;
        case BevelShape::Spacer:
            break;
    }
}

}  // namespace lv
