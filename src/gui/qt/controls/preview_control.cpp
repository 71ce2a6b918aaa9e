#include "gui/qt/controls/preview_control.h"

#include "codecs/picture_file.h"
#include "common/qt/device_pixels.h"
#include "effects/surface/smooth_resize.h"
#include "gui/qt/controls/qt_bitmap.h"
#include "project/image_package.h"

namespace lv {

PreviewControl::PreviewControl(QWidget* parent) : ImageControl(parent) {}

void PreviewControl::ShowPicture(const std::string& path) {
    const PictureFileKind kind = PictureFileKindOf(path);
    Bitmap32 source;
    if (kind == PictureFileKind::ImagePackage) {
        ImagePackage package;
        package.Load(path);
        source = std::move(package.Picture);
    } else if (kind == PictureFileKind::PlainPicture) {
        source = LoadPictureFile(path);
    }
    // Decoding is done: from here on nothing fails, so a bad file keeps the previous picture.
    fileName_ = path;
    SetStretch(true);
    // Made at the control's size in device pixels, so it is drawn without further scaling.
    const qreal ratio = devicePixelRatioF();
    const QSize device = DeviceSize(QSize(std::max(width(), 0), std::max(height(), 0)), ratio);
    const int w = device.width();
    const int h = device.height();
    if (w == 0 || h == 0) {
        SetPicture({});
        return;
    }
    Bitmap32 shown;
    if (!source.Empty()) {
        shown = ResizeSmooth(source, w, h);
    } else {
        // No source: a blank white picture of the control's size.
        shown.SetSize(w, h);
        shown.Fill(0x00FFFFFF);
    }
    SetPicture(WithDevicePixelRatio(ToQImage(shown), ratio));
}

}  // namespace lv
