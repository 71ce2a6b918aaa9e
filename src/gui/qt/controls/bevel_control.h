#pragma once

#include <QWidget>

namespace lv {

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
