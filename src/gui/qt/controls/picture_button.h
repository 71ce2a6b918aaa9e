#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>

#include "gui/qt/controls/repeat_timer.h"

namespace lv {

// A picture button with up, down, hover and disabled faces (a system button frame when a face
// is missing). Held down it raises MousePressed at once, after 500 ms and then every 50 ms; it
// can also stay down between clicks (AllowDown).
class PictureButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int FirstRepeatMs = 500;
    static constexpr int RepeatMs = 50;

    explicit PictureButton(QWidget* parent);
    ~PictureButton() override;

    void SetButtonUp(const QImage& picture);
    void SetButtonDown(const QImage& picture);
    void SetButtonOver(const QImage& picture);
    void SetButtonDisable(const QImage& picture);

    void SetCaption(const QString& caption);
    const QString& Caption() const { return caption_; }
    bool ShowCaption = false;
    bool Transparent = true;

    void SetAutoSize(bool on);
    bool AutoSize() const { return autoSize_; }
    // Down can only be set while AllowDown is on; clearing AllowDown clears Down.
    void SetDown(bool down);
    bool Down() const { return down_; }
    void SetAllowDown(bool allow);
    bool AllowDown() const { return allowDown_; }
    bool MouseInControl() const { return mouseInControl_; }
    bool Pressed() const { return pressed_; }

    // The repeat timer is made on the first press; tests replace how.
    void SetRepeatTimerFactory(RepeatTimerFactory factory) { timerFactory_ = std::move(factory); }

signals:
    void MousePressed();
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FitToButtonUp();

    QImage up_, downFace_, over_, disable_;
    QString caption_;
    bool autoSize_ = true;
    bool down_ = false;
    bool allowDown_ = false;
    bool mouseInControl_ = false;
    bool pressed_ = false;
    RepeatTimerFactory timerFactory_;
    std::unique_ptr<RepeatTimer> timer_;
};

}  // namespace lv
