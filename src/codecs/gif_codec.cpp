// GIF through giflib: the first image of the file, drawn onto the logical screen at its place.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

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
    const size_t n = std::min(static_cast<size_t>(std::max(count, 0)),
                              reader->bytes.size() - reader->position);
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

}  // namespace

Bitmap32 DecodeGif(std::string_view bytes, const std::string& name) {
    MemoryReader reader{bytes};
    int code = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, ReadFromMemory, &code));
    if (!gif) throw Error("GIF error: " + GifMessage(code), name);
    CheckPictureSize(gif->SWidth, gif->SHeight, "GIF picture");
    if (DGifSlurp(gif.get()) != GIF_OK && gif->ImageCount == 0)
        throw Error("GIF error: " + GifMessage(gif->Error), name);
    if (gif->ImageCount < 1) throw Error("GIF file holds no image", name);

    const SavedImage& image = gif->SavedImages[0];
    const GifImageDesc& desc = image.ImageDesc;
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || !image.RasterBits) throw Error("GIF image has no colour table", name);

    int transparent = -1;
    GraphicsControlBlock control;
    if (DGifSavedExtensionToGCB(gif.get(), 0, &control) == GIF_OK)
        transparent = control.TransparentColor;

    auto colour = [&](int index) -> uint32_t {
        if (index < 0 || index >= map->ColorCount) return 0;
        const GifColorType& c = map->Colors[index];
        return static_cast<uint32_t>(c.Red) << 16 | static_cast<uint32_t>(c.Green) << 8 | c.Blue;
    };

    Bitmap32 picture(gif->SWidth, gif->SHeight);
    picture.Fill(gif->SColorMap ? colour(gif->SBackGroundColor) : 0);
    for (int y = 0; y < desc.Height; ++y) {
        const int ty = desc.Top + y;
        if (ty < 0 || ty >= picture.Height()) continue;
        uint32_t* row = picture.Row(ty);
        const GifByteType* source = image.RasterBits + static_cast<size_t>(y) * desc.Width;
        for (int x = 0; x < desc.Width; ++x) {
            const int tx = desc.Left + x;
            if (tx < 0 || tx >= picture.Width() || source[x] == transparent) continue;
            row[tx] = colour(source[x]);
        }
    }
    return picture;
}

}  // namespace lv
