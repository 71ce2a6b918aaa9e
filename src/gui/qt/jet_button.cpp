#include "gui/qt/jet_button.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include "common/error.h"
#include "gui/qt/qt_bitmap.h"

namespace lv {

TJetButton::TJetButton(QWidget* parent) : QWidget(parent) {
    resize(50, 50);
    setMouseTracking(true);
    hoverTimer_.setInterval(HoverCheckMs);
    connect(&hoverTimer_, &QTimer::timeout, this, &TJetButton::CheckHover);
}

void TJetButton::SetBitmapUp(const QImage& bitmap) {
    up_ = bitmap;
    if (!up_.isNull()) {
        resize(up_.size());
        transparent_ = BottomLeftColor(up_);
    }
    RebuildMask();
    update();
}

void TJetButton::SetBitmapDown(const QImage& bitmap) {
    down_ = bitmap;
    update();
}

void TJetButton::SetBitmapOver(const QImage& bitmap) {
    over_ = bitmap;
    update();
}

void TJetButton::SetBitmapDisabled(const QImage& bitmap) {
    disabled_ = bitmap;
    update();
}

void TJetButton::SetTransparentColor(QColor color) {
    transparent_ = color;
    RebuildMask();
    update();
}

void TJetButton::RebuildMask() {
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

bool TJetButton::IsOnButton(QPoint point) const {
    if (mask_.isNull()) return true;
    if (!mask_.rect().contains(point)) return false;
    return mask_.constScanLine(point.y())[point.x()] != 0;
}

void TJetButton::SetPicSeries(const QString& series) {
    const QString trimmed = series.trimmed();
    if (!trimmed.isEmpty()) {
        for (const QString& part : trimmed.split(';')) {
            const QString entry = part.trimmed().toUpper();
            if (entry != "UP" && entry != "DOWN" && entry != "DISABLED" && entry != "OVER")
                throw Error("\"" + entry.toStdString() +
                            "\" is not a valid PicSeries value. Available values: "
                            "Up;Down;Disabled;Over");
        }
    }
    picSeries_ = trimmed;
}

void TJetButton::SetCaption(const QString& caption) {
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

void TJetButton::SetButtonEnabled(bool enabled) {
    state_ = enabled ? State::Normal : State::Disabled;
    update();
}

void TJetButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) SetButtonEnabled(isEnabled());
    QWidget::changeEvent(event);
}

void TJetButton::resizeEvent(QResizeEvent* event) {
    // The button is always the size of its up face once it has one.
    if (!up_.isNull() && size() != up_.size()) resize(up_.size());
    QWidget::resizeEvent(event);
}

const QImage& TJetButton::Face() const {
    const QImage* face = &up_;
    if (state_ == State::Disabled && !disabled_.isNull())
        face = &disabled_;
    else if (state_ == State::Pressed && !down_.isNull())
        face = &down_;
    else if (state_ == State::Normal && hover_ && !over_.isNull())
        face = &over_;
    return *face;
}

void TJetButton::paintEvent(QPaintEvent*) {
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

void TJetButton::SetHover(bool hover) {
    if (hover == hover_) return;
    hover_ = hover;
    if (hover_)
        hoverTimer_.start();
    else
        hoverTimer_.stop();
    if (state_ != State::Pressed) update();
}

void TJetButton::CheckHover() {
    if (!IsOnButton(mapFromGlobal(QCursor::pos()))) SetHover(false);
}

void TJetButton::mouseMoveEvent(QMouseEvent* event) {
    if (state_ != State::Disabled && !over_.isNull())
        SetHover(IsOnButton(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TJetButton::leaveEvent(QEvent* event) {
    SetHover(false);
    QWidget::leaveEvent(event);
}

void TJetButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || state_ == State::Disabled ||
        !IsOnButton(event->position().toPoint())) {
        // Off the shape the press belongs to what lies beneath.
        event->ignore();
        return;
    }
    state_ = State::Pressed;
    update();
}

void TJetButton::mouseReleaseEvent(QMouseEvent* event) {
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
