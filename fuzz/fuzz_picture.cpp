// Plain-picture decoders; the first byte picks the decoder, the rest is the file.
#include <exception>
#include <string_view>

#include "codecs/picture_codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        switch (data[0] % 3) {
        case 0: (void)lv::DecodeJpeg(bytes, "input.jpg"); break;
        case 1: (void)lv::DecodeGif(bytes, "input.gif"); break;
        default: (void)lv::DecodeBmp(bytes, "input.bmp"); break;
        }
    } catch (const std::exception&) {
    }
    return 0;
}
