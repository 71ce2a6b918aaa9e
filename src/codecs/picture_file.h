#pragma once

#include <string>
#include <string_view>

#include "common/bitmap32.h"

namespace lv {

// What a picture of a project is, by the extension of its path (the part from the last "." of
// the file name on) in any letter case: ".JPG", ".BMP" and ".GIF" are plain pictures, ".LVP" is
// an image package, anything else (".jpeg" among them, and a name without an extension) is
// neither. The show loads everything that is not a plain picture as an image package, so that
// such a file fails there as a package does; the thumbnail list and the preview show nothing
// for it. This is the one place that decides.
enum class PictureFileKind { PlainPicture, ImagePackage, Other };
PictureFileKind PictureFileKindOf(std::string_view path);

// Reads a picture file and picks the decoder by its extension in any letter case: JPEG for
// .jpg, .jpeg and .jpe, GIF for .gif, BMP for .bmp. Wider than the plain pictures above, as the
// preview picture, the wallpaper and the authors' tool's inputs may be JPEG files of any of
// these names. Raises lv::Error naming the file for any other extension and when decoding fails.
Bitmap32 LoadPictureFile(const std::string& path);

}  // namespace lv
