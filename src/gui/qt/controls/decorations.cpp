#include "gui/qt/controls/decorations.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "gui/qt/forms/form_values.h"

namespace lv {

ClickRelay* ClickRelay::Attach(QWidget* widget) { return new ClickRelay(widget); }

ClickRelay::ClickRelay(QWidget* widget) : QObject(widget), widget_(widget) {
    widget->installEventFilter(this);
}

bool ClickRelay::eventFilter(QObject* watched, QEvent* event) {
    if (watched != widget_) return false;
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && widget_->isEnabled()) {
            pressed_ = true;
            return true;  // the release comes back here
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && pressed_) {
            pressed_ = false;
            if (widget_->rect().contains(mouse->position().toPoint())) emit Clicked();
            return true;
        }
    }
    return false;
}

namespace {

// Draws one bevel ring inside `rect` and returns the rectangle inside it.
QRect DrawBevel(QPainter& painter, QRect rect, BevelCut cut, int width) {
    if (cut == BevelCut::None) return rect;
    if (cut != BevelCut::Space) {
        const QColor light = NamedColor("clBtnHighlight");
        const QColor dark = NamedColor("clBtnShadow");
        const QColor topLeft = cut == BevelCut::Raised ? light : dark;
        const QColor bottomRight = cut == BevelCut::Raised ? dark : light;
        for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
            painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
            painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
            painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
            painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
            rect.adjust(1, 1, -1, -1);
        }
        return rect;
    }
    return rect.adjusted(width, width, -width, -width);
}

}  // namespace

PanelControl::PanelControl(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, NamedColor("clBtnFace"));
    setPalette(palette);
}

void PanelControl::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void PanelControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect rect = this->rect();
    rect = DrawBevel(painter, rect, BevelOuter, BevelWidth);
    rect.adjust(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth);
    rect = DrawBevel(painter, rect, BevelInner, BevelWidth);
    if (!caption_.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(
            rect, static_cast<int>(CaptionAlignment | Qt::AlignVCenter) | Qt::TextShowMnemonic,
            caption_);
    }
}

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
