#include "gui/qt/forms/align_layout.h"

#include <QEvent>
#include <QVariant>
#include <array>

#include "gui/qt/controls/panel_control.h"

namespace lv {
namespace {

constexpr const char* AlignKey = "lvAlign";
constexpr const char* WatchedKey = "lvAlignWatched";

// Re-arranges a parent's aligned children when the parent changes size.
class AlignWatcher : public QObject {
public:
    explicit AlignWatcher(QWidget* parent) : QObject(parent) { parent->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && watched == parent())
            ArrangeAligned(static_cast<QWidget*>(watched));
        return false;
    }
};

// The part of the parent its aligned children share: a panel keeps its border and bevels.
QRect ClientArea(const QWidget* parent) {
    QRect area = parent->rect();
    if (const auto* panel = qobject_cast<const PanelControl*>(parent)) {
        int inset = panel->BorderWidth;
        if (panel->BevelOuter != BevelCut::None) inset += panel->BevelWidth;
        if (panel->BevelInner != BevelCut::None) inset += panel->BevelWidth;
        area.adjust(inset, inset, -inset, -inset);
    }
    return area;
}

void ArrangeChildren(QWidget* parent) {
    QRect area = ClientArea(parent);
    const std::array<AlignMode, 5> order = {AlignMode::Top, AlignMode::Bottom, AlignMode::Left,
                                            AlignMode::Right, AlignMode::Client};
    const auto children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const AlignMode mode : order) {
        for (QWidget* child : children) {
            if (AlignOf(child) != mode || child->isHidden()) continue;
            const int w = child->width();
            const int h = child->height();
            switch (mode) {
                case AlignMode::Top:
                    child->setGeometry(area.left(), area.top(), area.width(), h);
                    area.setTop(area.top() + h);
                    break;
                case AlignMode::Bottom:
                    child->setGeometry(area.left(), area.bottom() + 1 - h, area.width(), h);
                    area.setBottom(area.bottom() - h);
                    break;
                case AlignMode::Left:
                    child->setGeometry(area.left(), area.top(), w, area.height());
                    area.setLeft(area.left() + w);
                    break;
                case AlignMode::Right:
                    child->setGeometry(area.right() + 1 - w, area.top(), w, area.height());
                    area.setRight(area.right() - w);
                    break;
                case AlignMode::Client:
                    child->setGeometry(area.left(), area.top(), std::max(area.width(), 0),
                                       std::max(area.height(), 0));
                    break;
                case AlignMode::None:
                    break;
            }
        }
    }
}

}  // namespace

void SetAlign(QWidget* widget, AlignMode mode) {
    widget->setProperty(AlignKey, static_cast<int>(mode));
    QWidget* parent = widget->parentWidget();
    if (mode != AlignMode::None && parent && !parent->property(WatchedKey).toBool()) {
        parent->setProperty(WatchedKey, true);
        new AlignWatcher(parent);
    }
}

AlignMode AlignOf(const QWidget* widget) {
    const QVariant value = widget->property(AlignKey);
    return value.isValid() ? static_cast<AlignMode>(value.toInt()) : AlignMode::None;
}

void ArrangeAligned(QWidget* parent) {
    ArrangeChildren(parent);
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        ArrangeAligned(child);
}

}  // namespace lv
