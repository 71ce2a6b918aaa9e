#pragma once

#include <string>

#include "gui/qt/controls/image_control.h"

namespace lv {

// The preview of the current picture in a configuration window. ShowPicture scales the picture
// smoothly to the control's size in device pixels, ignoring proportions.
class PreviewControl : public ImageControl {
    Q_OBJECT
public:
    explicit PreviewControl(QWidget* parent);

    // An image package (.lvp) shows its picture; .jpg, .bmp and .gif files are decoded; any
    // other file leaves the preview blank at the control's size. A file that cannot be
    // decoded raises the decoder's lv::Error and the previous picture stays.
    void ShowPicture(const std::string& path);
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

}  // namespace lv
