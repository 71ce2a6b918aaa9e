#include "codecs/picture_file.h"

#include "codecs/picture_codecs.h"
#include "common/ascii_case.h"
#include "common/error.h"
#include "common/file_util.h"

namespace lv {
namespace {

// Upper-cased, from the last "." of the file name on; empty without one. Paths of a package
// made on Windows may separate folders with "\".
std::string UpperExtension(std::string_view path) {
    const size_t dot = path.find_last_of('.');
    const size_t separator = path.find_last_of("/\\");
    if (dot == std::string_view::npos || (separator != std::string_view::npos && dot < separator))
        return {};
    return AsciiUpperCase(path.substr(dot));
}

}  // namespace

PictureFileKind PictureFileKindOf(std::string_view path) {
    const std::string extension = UpperExtension(path);
    if (extension == ".JPG" || extension == ".BMP" || extension == ".GIF")
        return PictureFileKind::PlainPicture;
    if (extension == ".LVP") return PictureFileKind::ImagePackage;
    return PictureFileKind::Other;
}

Bitmap32 LoadPictureFile(const std::string& path) {
    const std::string extension = UpperExtension(path);
    if (extension == ".JPG" || extension == ".JPEG" || extension == ".JPE")
        return DecodeJpeg(ReadFileBytes(path), path);
    if (extension == ".GIF") return DecodeGif(ReadFileBytes(path), path);
    if (extension == ".BMP") return DecodeBmp(ReadFileBytes(path), path);
    throw Error("unsupported picture format '" + AsciiLowerCase(extension) + "'", path);
}

}  // namespace lv
