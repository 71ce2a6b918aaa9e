#include "common/qt/device_pixels.h"

#include <cmath>

namespace lv {
namespace {

int Floor(double value) { return static_cast<int>(std::floor(value)); }
int Ceil(double value) { return static_cast<int>(std::ceil(value)); }

// Products like 853 * 1.5 must not gain a pixel from the last bit of a double.
constexpr double Slack = 1e-6;

}  // namespace

QSize DeviceSize(QSize logical, qreal ratio) {
    return {qRound(logical.width() * ratio), qRound(logical.height() * ratio)};
}

QSize LogicalSizeCovering(QSize device, qreal ratio) {
    return {Ceil(device.width() / ratio - Slack), Ceil(device.height() / ratio - Slack)};
}

QRect DeviceRectCovering(const QRect& logical, qreal ratio) {
    if (logical.isEmpty()) return {};
    const int left = Floor(logical.x() * ratio + Slack);
    const int top = Floor(logical.y() * ratio + Slack);
    const int right = Ceil((logical.x() + logical.width()) * ratio - Slack);
    const int bottom = Ceil((logical.y() + logical.height()) * ratio - Slack);
    return {left, top, right - left, bottom - top};
}

QRect LogicalRectCovering(const QRect& device, qreal ratio) {
    if (device.isEmpty()) return {};
    const int left = Floor(device.x() / ratio + Slack);
    const int top = Floor(device.y() / ratio + Slack);
    const int right = Ceil((device.x() + device.width()) / ratio - Slack);
    const int bottom = Ceil((device.y() + device.height()) / ratio - Slack);
    return {left, top, right - left, bottom - top};
}

QImage WithDevicePixelRatio(QImage picture, qreal ratio) {
    picture.setDevicePixelRatio(ratio);
    return picture;
}

}  // namespace lv
