#include "gui/qt/controls/preview_control.h"

#include <filesystem>

#include "codecs/picture_codecs.h"
#include "common/ascii_case.h"
#include "common/qt/device_pixels.h"
#include "effects/surface/pixel_surface.h"
#include "gui/qt/controls/qt_bitmap.h"
#include "project/image_package.h"

namespace lv {
namespace {

std::string UpperExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension) c = AsciiUpper(c);
    return extension;
}

}  // namespace

PreviewControl::PreviewControl(QWidget* parent) : ImageControl(parent) {}

void PreviewControl::ShowPicture(const std::string& path) {
    const std::string extension = UpperExtension(path);
    Bitmap32 source;
    if (extension == ".LVP") {
        ImagePackage package;
        package.Load(path);
        source = std::move(package.Picture);
    } else if (extension == ".JPG" || extension == ".BMP" || extension == ".GIF") {
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
        PixelSurface from;
        from.LoadFromBitmap32(source);
        PixelSurface to(w, h);
        from.ResizeSmoothInto(to);
        shown = to.ToBitmap32();
    } else {
        // No source: a blank white picture of the control's size.
        shown.SetSize(w, h);
        shown.Fill(0x00FFFFFF);
    }
    SetPicture(WithDevicePixelRatio(ToQImage(shown), ratio));
}

}  // namespace lv
