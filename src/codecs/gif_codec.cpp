// GIF through giflib: the first image of the file, drawn onto the logical screen at its place.
// The records are read one by one instead of with DGifSlurp, which allocates every image at
// the size its descriptor claims before reading any data, hands back uninitialised pixels for
// a truncated image and drops every frame when only the trailer is missing.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "codecs/picture_codecs.h"
#include "common/error.h"

namespace lv {
namespace {

struct MemoryReader {
    std::string_view bytes;
    size_t position = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int count) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const size_t n =
        std::min(static_cast<size_t>(std::max(count, 0)), reader->bytes.size() - reader->position);
    std::memcpy(buffer, reader->bytes.data() + reader->position, n);
    reader->position += n;
    return static_cast<int>(n);
}

std::string GifMessage(int code) {
    // giflib returns no text for some truncation points.
    const char* text = GifErrorString(code);
    return text ? text : "damaged or truncated GIF data";
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int ignored = 0;
        DGifCloseFile(gif, &ignored);
    }
};

class GifDecoder {
public:
    GifDecoder(std::string_view bytes, const std::string& name) : reader_{bytes}, name_(name) {}

    Bitmap32 Decode() {
        int code = 0;
        gif_.reset(DGifOpen(&reader_, ReadFromMemory, &code));
        if (!gif_) Fail(code);
        CheckSize(gif_->SWidth, gif_->SHeight);
        for (;;) {
            GifRecordType type = UNDEFINED_RECORD_TYPE;
            if (DGifGetRecordType(gif_.get(), &type) != GIF_OK) Fail(gif_->Error);
            if (type == EXTENSION_RECORD_TYPE)
                ReadExtension();
            else if (type == IMAGE_DESC_RECORD_TYPE)
                return ReadFirstImage();
            else if (type == TERMINATE_RECORD_TYPE)
                break;
        }
        throw Error("GIF file holds no image", name_);
    }

private:
    [[noreturn]] void Fail(int code) const { throw Error("GIF error: " + GifMessage(code), name_); }

    void CheckSize(int64_t width, int64_t height) const {
        try {
            CheckPictureSize(width, height, "GIF picture");
        } catch (const Error& e) {
            throw Error(e.Message(), name_);
        }
    }

    // Only the graphic control block matters: it names the transparent colour.
    void ReadExtension() {
        int function = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif_.get(), &function, &block) != GIF_OK) Fail(gif_->Error);
        if (function == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
            GraphicsControlBlock control;
            if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
                transparent_ = control.TransparentColor;
        }
        while (block)
            if (DGifGetExtensionNext(gif_.get(), &block) != GIF_OK) Fail(gif_->Error);
    }

    Bitmap32 ReadFirstImage() {
        if (DGifGetImageDesc(gif_.get()) != GIF_OK) Fail(gif_->Error);
        const GifImageDesc desc = gif_->Image;
        CheckSize(desc.Width, desc.Height);
        if (desc.Width == 0 || desc.Height == 0) throw Error("GIF image is empty", name_);
        if (desc.Left < 0 || desc.Top < 0) throw Error("GIF image lies outside its screen", name_);
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif_->SColorMap;
        if (!map) throw Error("GIF image has no colour table", name_);

        // Some writers leave the screen size 0; the image then defines the picture.
        int width = gif_->SWidth, height = gif_->SHeight;
        if (width == 0 || height == 0) {
            width = desc.Left + desc.Width;
            height = desc.Top + desc.Height;
            CheckSize(width, height);
        }
        if (width == 0 || height == 0) throw Error("GIF picture is empty", name_);

        // The lines are read first, one byte a pixel, and the picture is made only once all
        // of them arrived: a file that declares a large image but ends early costs no more
        // than the data it held.
        const size_t lineLength = static_cast<size_t>(desc.Width);
        std::vector<GifPixelType> lines;
        lines.reserve(lineLength * static_cast<size_t>(desc.Height));
        for (int i = 0; i < desc.Height; ++i) {
            lines.resize(lines.size() + lineLength);
            if (DGifGetLine(gif_.get(), lines.data() + lines.size() - lineLength, desc.Width) !=
                GIF_OK)
                Fail(gif_->Error);
        }

        Bitmap32 picture(width, height);
        if (gif_->SColorMap) picture.Fill(Colour(gif_->SColorMap, gif_->SBackGroundColor));
        const int count = std::min(desc.Width, width - desc.Left);
        auto paintRow = [&](int y, const GifPixelType* line) {
            const int top = desc.Top + y;
            if (top >= height || count <= 0) return;
            uint32_t* row = picture.Row(top) + desc.Left;
            for (int x = 0; x < count; ++x)
                if (line[x] != transparent_) row[x] = Colour(map, line[x]);
        };
        const GifPixelType* line = lines.data();
        if (desc.Interlace) {
            static constexpr int Start[] = {0, 4, 2, 1};
            static constexpr int Step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = Start[pass]; y < desc.Height; y += Step[pass], line += lineLength)
                    paintRow(y, line);
        } else {
            for (int y = 0; y < desc.Height; ++y, line += lineLength) paintRow(y, line);
        }
        return picture;
    }

    static uint32_t Colour(const ColorMapObject* map, int index) {
        if (index < 0 || index >= map->ColorCount) return 0;
        const GifColorType& c = map->Colors[index];
        return static_cast<uint32_t>(c.Red) << 16 | static_cast<uint32_t>(c.Green) << 8 | c.Blue;
    }

    MemoryReader reader_;
    const std::string& name_;
    std::unique_ptr<GifFileType, GifCloser> gif_;
    int transparent_ = NO_TRANSPARENT_COLOR;
};

}  // namespace

Bitmap32 DecodeGif(std::string_view bytes, const std::string& name) {
    if (bytes.empty()) throw Error("GIF data is empty", name);
    return GifDecoder(bytes, name).Decode();
}

}  // namespace lv
