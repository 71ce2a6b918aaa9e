#pragma once

#include <QColor>
#include <QFrame>
#include <QObject>
#include <QPen>
#include <QString>
#include <QWidget>

namespace lv {

// Turns a completed left click (press and release inside the widget) on a widget that has no
// click of its own (a label, a panel, a shape, a picture) into the Clicked signal. Owned by the
// widget it watches.
class ClickRelay : public QObject {
    Q_OBJECT
public:
    static ClickRelay* Attach(QWidget* widget);

signals:
    void Clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ClickRelay(QWidget* widget);
    QWidget* widget_;
    bool pressed_ = false;
};

enum class BevelCut { None, Lowered, Raised, Space };

// A rectangular container: background colour, an outer and an inner bevel and a caption
// centred vertically.
class PanelControl : public QWidget {
    Q_OBJECT
public:
    explicit PanelControl(QWidget* parent);

    BevelCut BevelOuter = BevelCut::Raised;
    BevelCut BevelInner = BevelCut::None;
    int BevelWidth = 1;
    int BorderWidth = 0;
    Qt::Alignment CaptionAlignment = Qt::AlignHCenter;

    void SetCaption(const QString& caption);
    const QString& Caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

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

enum class BevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine, Spacer };

// A bevel frame: a box, a double frame or one line, lowered or raised; it takes click bindings.
class BevelControl : public QWidget {
    Q_OBJECT
public:
    explicit BevelControl(QWidget* parent);

    BevelShape Shape = BevelShape::Box;
    bool Raised = false;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace lv
