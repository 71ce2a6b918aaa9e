#include <algorithm>
#include <cctype>
#include <filesystem>

#include "codecs/picture_codecs.h"
#include "common/error.h"
#include "common/file_util.h"

namespace lv {

Bitmap32 LoadPictureFile(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".jpg" || extension == ".jpeg" || extension == ".jpe")
        return DecodeJpeg(ReadFileBytes(path), path);
    if (extension == ".gif") return DecodeGif(ReadFileBytes(path), path);
    if (extension == ".bmp") return DecodeBmp(ReadFileBytes(path), path);
    throw Error("unsupported picture format '" + extension + "'", path);
}

}  // namespace lv
