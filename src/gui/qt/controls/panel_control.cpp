#include "gui/qt/controls/panel_control.h"

#include <QPainter>

#include "gui/qt/forms/form_values.h"

namespace lv {

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

}  // namespace lv
