#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace lv {

// A picture button with up, down, hover and disabled faces. Its shape follows BitmapUp: pixels
// of the transparent colour are not part of the button, so a click on them does nothing.
class JetButton : public QWidget {
    Q_OBJECT
public:
    enum class State { Normal = 0, Disabled = 1, Pressed = 2 };

    explicit JetButton(QWidget* parent);

    // BitmapUp gives the button its size, its transparent colour (the bottom-left pixel) and
    // its hit mask; the other faces only repaint.
    void SetBitmapUp(const QImage& bitmap);
    void SetBitmapDown(const QImage& bitmap);
    void SetBitmapOver(const QImage& bitmap);
    void SetBitmapDisabled(const QImage& bitmap);
    const QImage& BitmapUp() const { return up_; }

    void SetTransparentColor(QColor color);
    QColor TransparentColor() const { return transparent_; }

    // Entries separated by ';', each Up, Down, Disabled or Over (blanks and letter case
    // ignored); anything else raises lv::Error naming the entry. An empty text clears it.
    void SetPicSeries(const QString& series);
    const QString& PicSeries() const { return picSeries_; }

    void SetCaption(const QString& caption);
    const QString& Caption() const { return caption_; }

    void SetButtonEnabled(bool enabled);
    State ButtonState() const { return state_; }
    bool Hovering() const { return hover_; }

    // Whether the point (in the button's coordinates) is on the button's shape.
    bool IsOnButton(QPoint point) const;

    static constexpr int HoverCheckMs = 100;

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetHover(bool hover);
    void CheckHover();
    void RebuildMask();
    const QImage& Face() const;

    QImage up_, down_, over_, disabled_;
    QImage mask_;  // one byte a pixel: 1 on the button, 0 off it; null when there is no shape
    QColor transparent_ = Qt::white;
    QString picSeries_;
    QString caption_;
    State state_ = State::Normal;
    bool hover_ = false;
    QTimer hoverTimer_;
};

}  // namespace lv
