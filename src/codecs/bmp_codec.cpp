// BMP through stb_image, after our own check of the header against the file's size: stb
// decodes most truncated files "successfully" with made-up pixels.
#include <stb/stb_image.h>

#include <cstdint>
#include <memory>

#include "codecs/picture_codecs.h"
#include "common/error.h"
#include "common/file_util.h"

namespace lv {
namespace {

void CheckBmpHeader(std::string_view bytes, const std::string& name) {
    if (bytes.empty()) throw Error("BMP data is empty", name);
    // stb takes the length as an int.
    if (bytes.size() > static_cast<size_t>(INT32_MAX)) throw Error("BMP file is too large", name);
    if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M')
        throw Error("not a BMP file", name);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const int64_t dataOffset = static_cast<uint32_t>(ReadLE32(p + 10));
    const int64_t headerSize = static_cast<uint32_t>(ReadLE32(p + 14));
    if (headerSize < 12 || 14 + headerSize > static_cast<int64_t>(bytes.size()))
        throw Error("BMP header is truncated", name);
    int64_t width = 0, height = 0, bits = 0, compression = 0;
    if (headerSize == 12) {
        width = static_cast<uint16_t>(p[18] | p[19] << 8);
        height = static_cast<uint16_t>(p[20] | p[21] << 8);
        bits = p[24] | p[25] << 8;
    } else {
        if (bytes.size() < 34) throw Error("BMP header is truncated", name);
        width = ReadLE32(p + 18);
        height = ReadLE32(p + 22);
        bits = p[28] | p[29] << 8;
        compression = ReadLE32(p + 30);
    }
    if (height < 0) height = -height;
    try {
        CheckPictureSize(width, height, "BMP picture");
    } catch (const Error& e) {
        throw Error(e.Message(), name);
    }
    // Only uncompressed rows, plain or with bit-field masks (3), are supported; stb would
    // take a compression value outside 0 .. 3 (a negative one) for uncompressed data.
    if (compression != 0 && compression != 3)
        throw Error("unsupported BMP compression " + std::to_string(compression), name);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        throw Error("unsupported BMP bit depth " + std::to_string(bits), name);
    const int64_t stride = (width * bits + 31) / 32 * 4;
    if (dataOffset + stride * height > static_cast<int64_t>(bytes.size()))
        throw Error("BMP file is truncated", name);
}

}  // namespace

Bitmap32 DecodeBmp(std::string_view bytes, const std::string& name) {
    CheckBmpHeader(bytes, name);
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> pixels(
        stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                              static_cast<int>(bytes.size()), &width, &height, &channels, 3),
        &stbi_image_free);
    if (!pixels) {
        const char* reason = stbi_failure_reason();
        throw Error(std::string("BMP error: ") + (reason ? reason : "cannot decode"), name);
    }
    Bitmap32 picture(width, height);
    for (int y = 0; y < height; ++y) {
        const stbi_uc* source = pixels.get() + static_cast<size_t>(y) * width * 3;
        uint32_t* row = picture.Row(y);
        for (int x = 0; x < width; ++x, source += 3)
            row[x] = static_cast<uint32_t>(source[0]) << 16 |
                     static_cast<uint32_t>(source[1]) << 8 | source[2];
    }
    return picture;
}

std::string EncodeBmp24(const Bitmap32& picture) {
    const int width = picture.Width();
    const int height = picture.Height();
    const int stride = ((width * 24 + 31) / 32) * 4;
    const int64_t imageBytes = static_cast<int64_t>(stride) * height;
    std::string out;
    out.reserve(static_cast<size_t>(54 + imageBytes));
    out += "BM";
    AppendLE32(out, static_cast<int32_t>(54 + imageBytes));
    AppendLE32(out, 0);
    AppendLE32(out, 54);
    AppendLE32(out, 40);
    AppendLE32(out, width);
    AppendLE32(out, height);
    AppendLE32(out, 1 | 24 << 16);  // planes, bits per pixel
    AppendLE32(out, 0);             // no compression
    AppendLE32(out, static_cast<int32_t>(imageBytes));
    AppendLE32(out, 2835);  // 72 dpi
    AppendLE32(out, 2835);
    AppendLE32(out, 0);
    AppendLE32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        const uint32_t* row = picture.Row(y);
        for (int x = 0; x < width; ++x) {
            out.push_back(static_cast<char>(row[x] & 0xFF));
            out.push_back(static_cast<char>((row[x] >> 8) & 0xFF));
            out.push_back(static_cast<char>((row[x] >> 16) & 0xFF));
        }
        out.append(static_cast<size_t>(stride - width * 3), '\0');
    }
    return out;
}

}  // namespace lv
