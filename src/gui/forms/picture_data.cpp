#include "gui/forms/picture_data.h"

#include <optional>

#include "codecs/picture_codecs.h"
#include "common/error.h"
#include "common/file_util.h"

namespace lv {
namespace {

enum class PictureFormat { Unknown, Bmp, Jpeg, Gif };

PictureFormat FormatOf(std::string_view file) {
    if (file.size() >= 2 && file.substr(0, 2) == "BM") return PictureFormat::Bmp;
    if (file.size() >= 3 && file.substr(0, 3) == "\xFF\xD8\xFF") return PictureFormat::Jpeg;
    if (file.size() >= 4 && file.substr(0, 4) == "GIF8") return PictureFormat::Gif;
    return PictureFormat::Unknown;
}

Bitmap32 DecodeFile(std::string_view file, PictureFormat format, const std::string& source) {
    switch (format) {
        case PictureFormat::Bmp:
            return DecodeBmp(file, source);
        case PictureFormat::Jpeg:
            return DecodeJpeg(file, source);
        case PictureFormat::Gif:
            return DecodeGif(file, source);
        case PictureFormat::Unknown:
            break;
    }
    return {};
}

// The file inside "length + file" data, or nullopt when the data does not start that way.
std::optional<std::string_view> LengthPrefixedFile(std::string_view data) {
    if (data.size() < 4) return std::nullopt;
    const int32_t length = ReadLE32(reinterpret_cast<const unsigned char*>(data.data()));
    if (length < 0 || static_cast<size_t>(length) > data.size() - 4) return std::nullopt;
    return data.substr(4, static_cast<size_t>(length));
}

}  // namespace

StoredPicture DecodePictureData(std::string_view bytes, const std::string& source) {
    if (bytes.empty()) throw Error("picture data holds no class name", source);
    const size_t nameLength = static_cast<unsigned char>(bytes[0]);
    if (nameLength > bytes.size() - 1)
        throw Error("picture class name of " + std::to_string(nameLength) +
                        " bytes runs past the " + std::to_string(bytes.size()) +
                        " bytes of picture data",
                    source);
    StoredPicture picture;
    picture.ClassName.assign(bytes.substr(1, nameLength));
    picture.Data.assign(bytes.substr(1 + nameLength));
    return picture;
}

std::string DecodeBitmapData(std::string_view bytes, const std::string& source) {
    if (bytes.empty()) return {};
    if (bytes.size() < 4)
        throw Error(
            "bitmap data of " + std::to_string(bytes.size()) + " bytes is too short for its length",
            source);
    const int32_t length = ReadLE32(reinterpret_cast<const unsigned char*>(bytes.data()));
    if (length < 0 || static_cast<size_t>(length) > bytes.size() - 4)
        throw Error("bitmap length " + std::to_string(length) + " does not fit the " +
                        std::to_string(bytes.size() - 4) + " bytes that follow it",
                    source);
    return std::string(bytes.substr(4, static_cast<size_t>(length)));
}

Bitmap32 DecodeStoredPicture(const StoredPicture& picture, const std::string& source) {
    const std::string_view data = picture.Data;
    if (data.empty()) return {};
    if (const auto file = LengthPrefixedFile(data)) {
        if (file->empty()) return {};
        if (const auto format = FormatOf(*file); format != PictureFormat::Unknown)
            return DecodeFile(*file, format, source);
    }
    if (const auto format = FormatOf(data); format != PictureFormat::Unknown)
        return DecodeFile(data, format, source);
    throw Error("unsupported picture data of class " + picture.ClassName, source);
}

Bitmap32 DecodeBitmapProperty(std::string_view bytes, const std::string& source) {
    const std::string file = DecodeBitmapData(bytes, source);
    if (file.empty()) return {};
    return DecodeBmp(file, source);
}

}  // namespace lv
