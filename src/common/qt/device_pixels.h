#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

// Widgets measure in logical pixels; a screen scaled by a device pixel ratio (QT_SCALE_FACTOR,
// a desktop at 200 %) has `ratio` device pixels per logical one. Pictures that must be sharp
// are computed at device pixels and given the ratio, so painting them maps each of their
// pixels onto one pixel of the screen.
namespace lv {

// The device size of a logical size, rounded as Qt sizes a window's backing store.
QSize DeviceSize(QSize logical, qreal ratio);

// The smallest logical size whose device size covers `device`.
QSize LogicalSizeCovering(QSize device, qreal ratio);

// The device pixels a logical rectangle touches, and the logical rectangle that covers a
// device one; both round outwards.
QRect DeviceRectCovering(const QRect& logical, qreal ratio);
QRect LogicalRectCovering(const QRect& device, qreal ratio);

// `picture` marked as having `ratio` device pixels per logical one (shares its pixels).
QImage WithDevicePixelRatio(QImage picture, qreal ratio);

}  // namespace lv
