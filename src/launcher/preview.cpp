#include "launcher/preview.h"

#include <chrono>

#include "codecs/picture_file.h"
#include "common/error.h"
#include "effects/surface/smooth_resize.h"
#include "launcher/run_mode.h"
#include "platform/host_window.h"

namespace lv {
namespace {

// The host normally shows its window at once; a host that never does must not leave us
// waiting for ever.
constexpr std::chrono::minutes HostWindowWait{5};

}  // namespace

bool DrawPreview(const Project& project, const std::string& handleText) {
    const std::string& file = project.Setting.PreviewFile;
    if (file.empty()) return false;
    const platform::NativeWindow window = ParseWindowHandle(handleText);
    const platform::WindowSize size = platform::WaitForVisibleHostWindow(window, HostWindowWait);
    if (size.width <= 0 || size.height <= 0) return true;
    const Bitmap32 picture = LoadPictureFile(file);
    if (picture.Empty()) throw Error("the preview picture is empty", file);
    platform::PutPictureOnHostWindow(window, ResizeSmooth(picture, size.width, size.height));
    return true;
}

}  // namespace lv
