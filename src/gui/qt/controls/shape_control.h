#pragma once

#include <QColor>
#include <QWidget>

namespace lv {

enum class ShapeKind { Rectangle, Square, RoundRect, RoundSquare, Ellipse, Circle };

// A filled geometric shape drawn with a pen and a brush.
class ShapeControl : public QWidget {
    Q_OBJECT
public:
    explicit ShapeControl(QWidget* parent);

    ShapeKind Shape = ShapeKind::Rectangle;
    QColor BrushColor = Qt::white;
    bool BrushClear = false;
    QColor PenColor = Qt::black;
    int PenWidth = 1;
    bool PenClear = false;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The shape variant that form definitions place when the shape should take a click binding.
class ClickableShape : public ShapeControl {
    Q_OBJECT
public:
    using ShapeControl::ShapeControl;
};

}  // namespace lv
