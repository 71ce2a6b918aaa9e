#pragma once

#include <QImage>
#include <QWidget>

namespace lv {

// A picture box: draws its picture at the top-left corner, centred, or stretched over the
// whole control (keeping proportions when Proportional is set).
class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

    void SetStretch(bool on);
    bool Stretch() const { return stretch_; }
    bool Center = false;
    bool Proportional = false;
    bool Transparent = false;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    bool stretch_ = false;
};

}  // namespace lv
