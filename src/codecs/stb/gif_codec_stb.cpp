// GIF through stb_image, for Windows: the first image, drawn onto the logical screen at its
// place over the screen's background colour. stb allocates the whole screen before reading any
// data and accepts data that ends early, so the file's records are walked first: the first
// image's data must be complete and able to hold the pixels the image declares.
#include <stb/stb_image.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "codecs/picture_codecs.h"
#include "common/error.h"

namespace lv {
namespace {

constexpr const char* Truncated = "damaged or truncated GIF data";
constexpr const char* ImageCutShort = "Image EOF detected before image complete";
// LZW codes stand for at most this many pixels each (the size of the code table).
constexpr int64_t MaxPixelsPerCode = 4096;

struct GifLayout {
    int screenWidth = 0;
    int screenHeight = 0;
    bool hasScreenColours = false;
    size_t screenColoursAt = 0;  // offset of the global colour table
    int background = 0;
    int left = 0, top = 0, width = 0, height = 0;
};

class GifWalker {
public:
    GifWalker(std::string_view bytes, const std::string& name)
        : data_(reinterpret_cast<const unsigned char*>(bytes.data())), size_(bytes.size()),
          name_(name) {}

    GifLayout Walk() {
        if (size_ < 6 || std::string_view(reinterpret_cast<const char*>(data_), 3) != "GIF")
            Fail("Not a GIF file");
        if (size_ < 13) Fail(Truncated);
        layout_.screenWidth = Word(6);
        layout_.screenHeight = Word(8);
        CheckSize(layout_.screenWidth, layout_.screenHeight);
        const unsigned flags = data_[10];
        layout_.background = data_[11];
        size_t at = 13;
        if (flags & 0x80) {
            layout_.hasScreenColours = true;
            layout_.screenColoursAt = at;
            at += 3u << ((flags & 7) + 1);
        }
        for (;;) {
            if (at >= size_) Fail(Truncated);
            const unsigned char record = data_[at++];
            if (record == ';') throw Error("GIF file holds no image", name_);
            if (record == '!') {
                if (at >= size_) Fail(Truncated);
                at = SkipSubBlocks(at + 1);
            } else if (record == ',') {
                return ReadImage(at);
            } else {
                Fail(Truncated);
            }
        }
    }

private:
    [[noreturn]] void Fail(const std::string& message) const {
        throw Error("GIF error: " + message, name_);
    }

    void CheckSize(int64_t width, int64_t height) const {
        try {
            CheckPictureSize(width, height, "GIF picture");
        } catch (const Error& e) {
            throw Error(e.Message(), name_);
        }
    }

    int Word(size_t at) const { return data_[at] | data_[at + 1] << 8; }

    // The offset after a chain of data sub-blocks and its terminator; `dataBytes` adds up what
    // the chain holds.
    size_t SkipSubBlocks(size_t at, int64_t* dataBytes = nullptr) const {
        for (;;) {
            if (at >= size_) Fail(Truncated);
            const size_t length = data_[at++];
            if (length == 0) return at;
            if (at + length > size_) Fail(Truncated);
            if (dataBytes) *dataBytes += static_cast<int64_t>(length);
            at += length;
        }
    }

    GifLayout ReadImage(size_t at) {
        if (at + 9 > size_) Fail(Truncated);
        layout_.left = Word(at);
        layout_.top = Word(at + 2);
        layout_.width = Word(at + 4);
        layout_.height = Word(at + 6);
        const unsigned flags = data_[at + 8];
        at += 9;
        CheckSize(layout_.width, layout_.height);
        if (layout_.width == 0 || layout_.height == 0) throw Error("GIF image is empty", name_);
        if (flags & 0x80)
            at += 3u << ((flags & 7) + 1);
        else if (!layout_.hasScreenColours)
            throw Error("GIF image has no colour table", name_);
        if (at >= size_) Fail(Truncated);
        const int minimumCodeSize = data_[at++];
        if (minimumCodeSize < 2 || minimumCodeSize > 11) Fail("wrong LZW code size");
        int64_t dataBytes = 0;
        SkipSubBlocks(at, &dataBytes);
        // Codes are at least one bit longer than the minimum code size, and the n-th code
        // after a clear stands for at most n + 1 pixels.
        const int64_t codes = dataBytes * 8 / (minimumCodeSize + 1);
        const int64_t growing = std::min(codes, MaxPixelsPerCode);
        const int64_t most =
            growing * (growing + 3) / 2 + (codes - growing) * (MaxPixelsPerCode + 1);
        if (static_cast<int64_t>(layout_.width) * layout_.height > most) Fail(ImageCutShort);
        if (layout_.screenWidth == 0 || layout_.screenHeight == 0) {
            layout_.screenWidth = layout_.left + layout_.width;
            layout_.screenHeight = layout_.top + layout_.height;
            CheckSize(layout_.screenWidth, layout_.screenHeight);
        }
        return layout_;
    }

    const unsigned char* data_;
    size_t size_;
    const std::string& name_;
    GifLayout layout_;
};

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

// The image's part inside the screen, as giflib-based decoders draw it: stb refuses an image
// that reaches past the screen, so the screen is widened for stb and the picture cut back.
std::string ScreenCovering(std::string_view bytes, const GifLayout& layout, int& width,
                           int& height) {
    width = std::max(layout.screenWidth, layout.left + layout.width);
    height = std::max(layout.screenHeight, layout.top + layout.height);
    std::string copy(bytes);
    copy[6] = static_cast<char>(width & 0xFF);
    copy[7] = static_cast<char>(width >> 8);
    copy[8] = static_cast<char>(height & 0xFF);
    copy[9] = static_cast<char>(height >> 8);
    return copy;
}

}  // namespace

Bitmap32 DecodeGif(std::string_view bytes, const std::string& name) {
    if (bytes.empty()) throw Error("GIF data is empty", name);
    if (bytes.size() > static_cast<size_t>(INT32_MAX)) throw Error("GIF file is too large", name);
    const GifLayout layout = GifWalker(bytes, name).Walk();
    int stbWidth = 0, stbHeight = 0;
    const std::string covering = ScreenCovering(bytes, layout, stbWidth, stbHeight);
    int width = 0, height = 0, channels = 0;
    const std::unique_ptr<stbi_uc, StbFree> pixels(stbi_load_from_memory(
        reinterpret_cast<const stbi_uc*>(covering.data()), static_cast<int>(covering.size()),
        &width, &height, &channels, 4));
    if (!pixels) {
        const char* reason = stbi_failure_reason();
        throw Error(std::string("GIF error: ") + (reason ? reason : "cannot decode"), name);
    }
    if (width != stbWidth || height != stbHeight)
        throw Error("GIF error: " + std::string(Truncated), name);
    uint32_t background = 0;
    if (layout.hasScreenColours && layout.background * 3 + 3 <=
                                       static_cast<int>(3u << ((bytes[10] & 7) + 1))) {
        const auto* colour = reinterpret_cast<const unsigned char*>(bytes.data()) +
                             layout.screenColoursAt + layout.background * 3;
        background = static_cast<uint32_t>(colour[0]) << 16 |
                     static_cast<uint32_t>(colour[1]) << 8 | colour[2];
    }
    // Outside the image the background is drawn here: stb paints it with red and blue
    // swapped.
    Bitmap32 picture(layout.screenWidth, layout.screenHeight);
    picture.Fill(background);
    const int right = std::min(layout.left + layout.width, layout.screenWidth);
    const int bottom = std::min(layout.top + layout.height, layout.screenHeight);
    for (int y = layout.top; y < bottom; ++y) {
        const stbi_uc* source =
            pixels.get() + (static_cast<size_t>(y) * width + static_cast<size_t>(layout.left)) * 4;
        uint32_t* row = picture.Row(y);
        for (int x = layout.left; x < right; ++x, source += 4)
            if (source[3] != 0)
                row[x] = static_cast<uint32_t>(source[0]) << 16 |
                         static_cast<uint32_t>(source[1]) << 8 | source[2];
    }
    return picture;
}

}  // namespace lv
