#pragma once

#include <string>
#include <string_view>

#include "common/bitmap32.h"

namespace lv {

// Decoders for pictures held in memory. `name` is the file the bytes came from; every failure
// raises lv::Error naming it. Picture sizes are checked against the bitmap limits before any
// pixel memory is allocated.
Bitmap32 DecodeJpeg(std::string_view bytes, const std::string& name);
// The same into an existing bitmap, whose memory is reused: for a caller that decodes picture
// after picture of one size. Left empty when the decode fails.
void DecodeJpegInto(std::string_view bytes, const std::string& name, Bitmap32& picture);
Bitmap32 DecodeGif(std::string_view bytes, const std::string& name);  // first image
Bitmap32 DecodeBmp(std::string_view bytes, const std::string& name);

// Writers for the authors' tool and the tests' fixtures.
std::string EncodeJpeg(const Bitmap32& picture, int quality);
std::string EncodeBmp24(const Bitmap32& picture);  // bottom-up 24-bit BMP file

}  // namespace lv
