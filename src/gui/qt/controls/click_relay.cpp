#include "gui/qt/controls/click_relay.h"

#include <QMouseEvent>

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

}  // namespace lv
