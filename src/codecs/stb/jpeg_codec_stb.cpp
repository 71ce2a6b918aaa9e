// JPEG through stb_image, for Windows. stb trusts the file more than the system may: it sizes
// its buffers from the header before reading any data, decodes any number of scans and fills
// data that ends early with zeros. So the file's layout is walked first, and the same limits
// as elsewhere apply before stb allocates anything.
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

#include "codecs/picture_codecs.h"
#include "common/error.h"

namespace lv {
namespace {

// A progressive picture is decoded through a buffer of coefficients for the whole picture
// (2 bytes per sample). Every block of a Huffman-coded scan costs at least one bit, so such
// data never needs more than about 1024 buffer bytes per file byte; a floor keeps every
// ordinary picture clear of the rule.
constexpr int64_t MinWholePictureBuffer = 64LL << 20;
constexpr int64_t WholePictureBufferPerByte = 1024;
// Each scan is a pass over the whole buffer; ordinary files have about ten.
constexpr int MaxScans = 500;
constexpr const char* Truncated = "Premature end of JPEG file";

struct JpegLayout {
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = false;
    int scans = 0;
    bool hasEnd = false;  // the end-of-image marker follows the last scan
};

class LayoutReader {
public:
    explicit LayoutReader(std::string_view bytes)
        : data_(reinterpret_cast<const unsigned char*>(bytes.data())), size_(bytes.size()) {}

    // The layout, or the reason the data is no JPEG stb could take.
    JpegLayout Read() {
        if (size_ < 2 || data_[0] != 0xFF || data_[1] != 0xD8) throw Failure("Not a JPEG file");
        size_t at = 2;
        bool frame = false;
        while (at < size_) {
            // Stray bytes before a marker are skipped, as decoders do.
            if (data_[at] != 0xFF) {
                ++at;
                continue;
            }
            while (at < size_ && data_[at] == 0xFF) ++at;  // fill bytes
            if (at >= size_) break;
            const unsigned char marker = data_[at++];
            if (marker == 0xD9) {
                layout_.hasEnd = true;
                return Checked(frame);
            }
            if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7)) continue;
            if (at + 2 > size_) break;
            const size_t length = static_cast<size_t>(data_[at]) << 8 | data_[at + 1];
            if (length < 2 || at + length > size_) break;
            if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
                if (length < 8) throw Failure("Corrupt JPEG data: bad frame header");
                layout_.progressive = marker == 0xC2;
                layout_.height = data_[at + 3] << 8 | data_[at + 4];
                layout_.width = data_[at + 5] << 8 | data_[at + 6];
                layout_.components = data_[at + 7];
                frame = true;
            } else if (marker >= 0xC3 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                       marker != 0xCC) {
                throw Failure("Unsupported JPEG process: lossless, hierarchical or arithmetic");
            }
            at += length;
            if (marker == 0xDA) {
                if (!frame) throw Failure("Corrupt JPEG data: scan before the frame header");
                if (++layout_.scans > MaxScans)
                    throw Failure("more than " + std::to_string(MaxScans) + " scans");
                at = SkipEntropyData(at);
            }
        }
        if (!frame) throw Failure(Truncated);
        return Checked(frame);
    }

private:
    static Error Failure(const std::string& message) { return Error(message); }

    JpegLayout Checked(bool frame) const {
        if (!frame || layout_.scans == 0) throw Failure(Truncated);
        return layout_;
    }

    // The first byte after a scan's coded data: the next marker, or the end of the data.
    size_t SkipEntropyData(size_t at) const {
        while (at + 1 < size_) {
            if (data_[at] == 0xFF && data_[at + 1] != 0x00 &&
                !(data_[at + 1] >= 0xD0 && data_[at + 1] <= 0xD7) && data_[at + 1] != 0xFF)
                return at;
            ++at;
        }
        return size_;
    }

    const unsigned char* data_;
    size_t size_;
    JpegLayout layout_;
};

void CheckMemoryRules(const JpegLayout& layout, size_t fileSize) {
    CheckPictureSize(layout.width, layout.height, "JPEG picture");
    if (layout.width == 0 || layout.height == 0) throw Error("Empty JPEG image (DNL not supported)");
    const int64_t blocks = (static_cast<int64_t>(layout.width) + 7) / 8 *
                           ((static_cast<int64_t>(layout.height) + 7) / 8);
    if (layout.progressive) {
        const int64_t buffer = blocks * 128 * std::max(layout.components, 1);
        const int64_t allowed = std::max(
            MinWholePictureBuffer, static_cast<int64_t>(fileSize) * WholePictureBufferPerByte);
        if (buffer > allowed)
            throw Error("the picture needs a whole-picture buffer larger than its data can fill");
    }
    // Every 8 x 8 block of the first component costs at least one bit of coded data; stb
    // would size its buffers for all of them before reading any.
    if (blocks > static_cast<int64_t>(fileSize) * 8) throw Error(Truncated);
}

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};
using StbPixels = std::unique_ptr<stbi_uc, StbFree>;

StbPixels Decode(std::string_view bytes, int& width, int& height) {
    int channels = 0;
    StbPixels pixels(stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                           static_cast<int>(bytes.size()), &width, &height,
                                           &channels, 4));
    if (!pixels) {
        const char* reason = stbi_failure_reason();
        throw Error(reason ? reason : "cannot decode");
    }
    return pixels;
}

// stb fills data that ends early with zero bits. Whether a scan ran out of data therefore shows
// by decoding it twice, padded once with zero bits and once with other bits: a complete scan
// never reads its padding, so only a picture that needed more data than it had changes.
bool NeedsMissingData(std::string_view bytes, const stbi_uc* decoded, int width, int height) {
    std::string padded(bytes);
    padded += std::string(16, '\x55');
    padded += "\xFF\xD9";
    int otherWidth = 0, otherHeight = 0;
    try {
        const StbPixels other = Decode(padded, otherWidth, otherHeight);
        return otherWidth != width || otherHeight != height ||
               !std::equal(decoded, decoded + static_cast<size_t>(width) * height * 4, other.get());
    } catch (const Error&) {
        return true;
    }
}

void DecodeInto(std::string_view bytes, Bitmap32& out) {
    // stb takes the length as an int.
    if (bytes.size() > static_cast<size_t>(INT32_MAX)) throw Error("JPEG file is too large");
    const JpegLayout layout = LayoutReader(bytes).Read();
    CheckMemoryRules(layout, bytes.size());
    // A picture cut between two scans would show blurred or colourless; one cut inside its
    // only scan is refused when it needed the data that is missing.
    if (!layout.hasEnd && (layout.progressive || layout.scans > 1)) throw Error(Truncated);
    std::string ended;
    if (!layout.hasEnd) {
        ended.assign(bytes);
        ended += "\xFF\xD9";
        bytes = ended;
    }
    int width = 0, height = 0;
    const StbPixels pixels = Decode(bytes, width, height);
    if (!layout.hasEnd && NeedsMissingData(bytes.substr(0, bytes.size() - 2), pixels.get(),
                                           width, height))
        throw Error(Truncated);
    out.SetSize(width, height);
    const stbi_uc* source = pixels.get();
    for (int y = 0; y < height; ++y) {
        uint32_t* row = out.Row(y);
        for (int x = 0; x < width; ++x, source += 4)
            row[x] = static_cast<uint32_t>(source[0]) << 16 |
                     static_cast<uint32_t>(source[1]) << 8 | source[2];
    }
}

void AppendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<size_t>(size));
}

}  // namespace

void DecodeJpegInto(std::string_view bytes, const std::string& name, Bitmap32& picture) {
    if (bytes.empty()) {
        picture.SetSize(0, 0);
        throw Error("JPEG data is empty", name);
    }
    try {
        DecodeInto(bytes, picture);
    } catch (const Error& e) {
        picture.SetSize(0, 0);
        throw Error("JPEG error: " + e.Message(), name);
    }
}

Bitmap32 DecodeJpeg(std::string_view bytes, const std::string& name) {
    Bitmap32 picture;
    DecodeJpegInto(bytes, name, picture);
    return picture;
}

std::string EncodeJpeg(const Bitmap32& picture, int quality) {
    if (picture.Empty()) throw Error("cannot encode an empty picture as JPEG");
    std::string rgb;
    rgb.reserve(static_cast<size_t>(picture.Width()) * picture.Height() * 3);
    for (int y = 0; y < picture.Height(); ++y) {
        const uint32_t* row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            rgb.push_back(static_cast<char>(row[x] >> 16 & 0xFF));
            rgb.push_back(static_cast<char>(row[x] >> 8 & 0xFF));
            rgb.push_back(static_cast<char>(row[x] & 0xFF));
        }
    }
    std::string bytes;
    if (!stbi_write_jpg_to_func(AppendBytes, &bytes, picture.Width(), picture.Height(), 3,
                                rgb.data(), quality))
        throw Error("JPEG error: cannot encode the picture");
    return bytes;
}

}  // namespace lv
