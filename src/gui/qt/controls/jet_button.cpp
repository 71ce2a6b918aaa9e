#include "gui/qt/controls/jet_button.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include "common/error.h"
#include "common/qt/qt_text.h"
#include "gui/qt/controls/qt_bitmap.h"

namespace lv {

JetButton::JetButton(QWidget* parent) : QWidget(parent) {
    resize(50, 50);
    setMouseTracking(true);
    hoverTimer_.setInterval(HoverCheckMs);
    connect(&hoverTimer_, &QTimer::timeout, this, &JetButton::CheckHover);
}

void JetButton::SetBitmapUp(const QImage& bitmap) {
    up_ = bitmap;
    if (!up_.isNull()) {
        resize(up_.size());
        transparent_ = BottomLeftColor(up_);
    }
    RebuildMask();
    update();
}

void JetButton::SetBitmapDown(const QImage& bitmap) {
    down_ = bitmap;
    update();
}

void JetButton::SetBitmapOver(const QImage& bitmap) {
    over_ = bitmap;
    update();
}

void JetButton::SetBitmapDisabled(const QImage& bitmap) {
    disabled_ = bitmap;
    update();
}

void JetButton::SetTransparentColor(QColor color) {
    transparent_ = color;
    RebuildMask();
    update();
}

void JetButton::RebuildMask() {
    if (up_.isNull()) {
        mask_ = QImage();
        return;
    }
    const QImage rgb = up_.convertToFormat(QImage::Format_RGB32);
    mask_ = QImage(rgb.size(), QImage::Format_Grayscale8);
    const QRgb key = transparent_.rgb() & 0x00FFFFFFu;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = mask_.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) out[x] = (row[x] & 0x00FFFFFFu) == key ? 0 : 1;
    }
}

bool JetButton::IsOnButton(QPoint point) const {
    if (mask_.isNull()) return true;
    if (!mask_.rect().contains(point)) return false;
    return mask_.constScanLine(point.y())[point.x()] != 0;
}

void JetButton::SetPicSeries(const QString& series) {
    const QString trimmed = series.trimmed();
    if (!trimmed.isEmpty()) {
        for (const QString& part : trimmed.split(';')) {
            const QString entry = part.trimmed().toUpper();
            if (entry != "UP" && entry != "DOWN" && entry != "DISABLED" && entry != "OVER")
                throw Error("\"" + FromQString(entry) +
                            "\" is not a valid PicSeries value. Available values: "
                            "Up;Down;Disabled;Over");
        }
    }
    picSeries_ = trimmed;
}

void JetButton::SetCaption(const QString& caption) {
    caption_ = caption;
    // The character after '&' clicks the button from the keyboard.
    const QKeySequence key = QKeySequence::mnemonic(caption);
    for (auto* old : findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) delete old;
    if (!key.isEmpty()) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this] {
            if (state_ != State::Disabled) emit Clicked();
        });
    }
    update();
}

void JetButton::SetButtonEnabled(bool enabled) {
    state_ = enabled ? State::Normal : State::Disabled;
    update();
}

void JetButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) SetButtonEnabled(isEnabled());
    QWidget::changeEvent(event);
}

void JetButton::resizeEvent(QResizeEvent* event) {
    // The button is always the size of its up face once it has one.
    if (!up_.isNull() && size() != up_.size()) resize(up_.size());
    QWidget::resizeEvent(event);
}

const QImage& JetButton::Face() const {
    const QImage* face = &up_;
    if (state_ == State::Disabled && !disabled_.isNull())
        face = &disabled_;
    else if (state_ == State::Pressed && !down_.isNull())
        face = &down_;
    else if (state_ == State::Normal && hover_ && !over_.isNull())
        face = &over_;
    return *face;
}

void JetButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& face = Face();
    if (!face.isNull()) painter.drawImage(0, 0, WithTransparentColor(face, transparent_));
    if (!caption_.isEmpty()) {
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        QRect area = rect();
        if (state_ == State::Pressed) area.translate(1, 1);
        painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                         caption_);
    }
}

void JetButton::SetHover(bool hover) {
    if (hover == hover_) return;
    hover_ = hover;
    if (hover_)
        hoverTimer_.start();
    else
        hoverTimer_.stop();
    if (state_ != State::Pressed) update();
}

void JetButton::CheckHover() {
    if (!IsOnButton(mapFromGlobal(QCursor::pos()))) SetHover(false);
}

void JetButton::mouseMoveEvent(QMouseEvent* event) {
    if (state_ != State::Disabled && !over_.isNull())
        SetHover(IsOnButton(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void JetButton::leaveEvent(QEvent* event) {
    SetHover(false);
    QWidget::leaveEvent(event);
}

void JetButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || state_ == State::Disabled ||
        !IsOnButton(event->position().toPoint())) {
        // Off the shape the press belongs to what lies beneath.
        event->ignore();
        return;
    }
    state_ = State::Pressed;
    update();
}

void JetButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || state_ != State::Pressed) {
        event->ignore();
        return;
    }
    state_ = State::Normal;
    update();
    if (IsOnButton(event->position().toPoint())) {
        if (!over_.isNull()) SetHover(true);
        emit Clicked();
    }
}

}  // namespace lv
