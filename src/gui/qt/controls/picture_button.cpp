#include "gui/qt/controls/picture_button.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

#include "gui/qt/controls/qt_bitmap.h"

namespace lv {
namespace {

class QtRepeatTimer final : public RepeatTimer {
public:
    QtRepeatTimer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (OnTimeout) OnTimeout();
        });
    }
    void Start(int intervalMs) override { timer_.start(intervalMs); }
    void SetInterval(int intervalMs) override { timer_.setInterval(intervalMs); }
    void Stop() override { timer_.stop(); }
    void Pause() override { timer_.stop(); }
    void Resume() override { timer_.start(); }
    bool Active() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

enum class Face { Up, Down, Over, Disabled };

}  // namespace

PictureButton::PictureButton(QWidget* parent) : QWidget(parent) {
    timerFactory_ = [] { return std::make_unique<QtRepeatTimer>(); };
}

PictureButton::~PictureButton() = default;

void PictureButton::FitToButtonUp() {
    if (autoSize_ && !up_.isNull() && size() != up_.size()) resize(up_.size());
}

void PictureButton::SetButtonUp(const QImage& picture) {
    up_ = picture;
    FitToButtonUp();
    update();
}
void PictureButton::SetButtonDown(const QImage& picture) {
    downFace_ = picture;
    update();
}
void PictureButton::SetButtonOver(const QImage& picture) {
    over_ = picture;
    update();
}
void PictureButton::SetButtonDisable(const QImage& picture) {
    disable_ = picture;
    update();
}

void PictureButton::SetCaption(const QString& caption) {
    caption_ = caption;
    for (auto* old : findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) delete old;
    const QKeySequence key = QKeySequence::mnemonic(caption);
    if (!key.isEmpty()) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this] {
            if (isEnabled() && isVisible() && parentWidget() && parentWidget()->isVisible())
                emit Clicked();
        });
    }
    update();
}

void PictureButton::SetAutoSize(bool on) {
    autoSize_ = on;
    FitToButtonUp();
}

void PictureButton::SetDown(bool down) {
    if (down && !allowDown_) return;
    down_ = down;
    update();
}

void PictureButton::SetAllowDown(bool allow) {
    allowDown_ = allow;
    if (!allow) SetDown(false);
}

void PictureButton::paintEvent(QPaintEvent*) {
    FitToButtonUp();
    QPainter painter(this);
    Face face = Face::Up;
    if (!isEnabled())
        face = Face::Disabled;
    else if ((mouseInControl_ && pressed_) || down_)
        face = Face::Down;
    else if (mouseInControl_)
        face = Face::Over;

    const QImage* picture = nullptr;
    switch (face) {
        case Face::Up:
            picture = &up_;
            break;
        case Face::Down:
            picture = !downFace_.isNull() ? &downFace_ : &up_;
            break;
        case Face::Over:
            picture = !over_.isNull() ? &over_ : &up_;
            break;
        case Face::Disabled:
            picture = &disable_;
            break;
    }
    if (!picture->isNull()) {
        painter.drawImage(
            0, 0,
            Transparent ? WithTransparentColor(*picture, BottomLeftColor(*picture)) : *picture);
    } else {
        // No picture for this face: the system's push-button frame, sunken when down.
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = rect();
        option.state |= face == Face::Down ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
    }
    if (ShowCaption && !caption_.isEmpty()) {
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, caption_);
    }
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || pressed_) return;
    if (!timer_) {
        timer_ = timerFactory_();
        timer_->OnTimeout = [this] {
            timer_->SetInterval(RepeatMs);
            emit MousePressed();
        };
    }
    timer_->Start(FirstRepeatMs);
    emit MousePressed();
    pressed_ = true;
    update();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    if (timer_) timer_->Stop();
    if (allowDown_) SetDown(!down_);
    pressed_ = false;
    update();
    if (rect().contains(event->position().toPoint())) emit Clicked();
}

void PictureButton::enterEvent(QEnterEvent* event) {
    mouseInControl_ = true;
    if (pressed_ && timer_) timer_->Resume();
    update();
    QWidget::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
    mouseInControl_ = false;
    if (pressed_ && timer_) timer_->Pause();
    update();
    QWidget::leaveEvent(event);
}

void PictureButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange) update();
    QWidget::changeEvent(event);
}

}  // namespace lv
