#pragma once

#include <string>
#include <string_view>

#include "common/bitmap32.h"

namespace lv {

// Pictures stored in component text as binary values.
//
// A picture property (Picture.Data of TImage and TLVPreview, ButtonUp.Data ... of TMyButton):
//   1 byte   length L of the picture class name
//   L bytes  class name ("TBitmap", "TJPEGImage", ...)
//   rest     that class's own data; nothing at all for an empty picture
//
// A bitmap property (BitmapUp.Data ... of TJetButton), and the data of a TBitmap picture:
//   4 bytes  little-endian length S of the file that follows (0: empty bitmap)
//   S bytes  a BMP file
struct StoredPicture {
    std::string ClassName;
    std::string Data;  // the class's data, empty when only the name is stored
};

// Each raises lv::Error naming `source` (the file and property, for the user) when a length
// runs past the bytes present.
StoredPicture DecodePictureData(std::string_view bytes, const std::string& source);
// The BMP file of a bitmap property; empty for an empty bitmap (length 0 or no data at all).
std::string DecodeBitmapData(std::string_view bytes, const std::string& source);

// The picture itself. The class's data is recognised by its content: a length-prefixed BMP,
// JPEG or GIF file (the form library's bitmap and JPEG classes store one) or such a file
// without the prefix. An empty picture gives an empty bitmap; any other content raises
// lv::Error naming `source` and the class.
Bitmap32 DecodeStoredPicture(const StoredPicture& picture, const std::string& source);
Bitmap32 DecodeBitmapProperty(std::string_view bytes, const std::string& source);

}  // namespace lv
