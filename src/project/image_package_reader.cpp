#include "project/image_package_reader.h"

#include <bit>

#include "codecs/picture_codecs.h"
#include "common/error.h"
#include "project/area_mask.h"
#include "project/file_stream.h"
#include "project/package_format.h"

namespace lv {
namespace {

[[noreturn]] void ThrowIncorrect(const FileStream& stream) {
    throw FormatError(std::string(IncorrectProjectFile), stream.FileName());
}

// A length or count field. A negative value never comes from an intact package.
int32_t ReadLength(FileStream& stream) {
    const int32_t length = stream.ReadInt();
    if (length < 0) ThrowIncorrect(stream);
    return length;
}

std::string ReadText(FileStream& stream) {
    std::string text;
    stream.ReadToMemory(text, ReadLength(stream));
    return text;
}

// The header the thumbnail list needs: signature, picture name, comment, thumbnail.
void ReadHeaderItems(FileStream& stream, std::string& name, std::string& comment,
                     std::string& thumbnail) {
    if (stream.ReadSignature(static_cast<int>(PackageSignature.size())) != PackageSignature)
        ThrowIncorrect(stream);
    name = ReadText(stream);
    comment = ReadText(stream);
    stream.ReadToMemory(thumbnail, ReadLength(stream));
}

std::vector<int32_t> ReadMaskWords(FileStream& stream) {
    const int64_t count = ReadLength(stream);
    // Checked here, as the vector is sized before the read.
    if (count * 4 > stream.Remaining()) throw ReadError(stream.FileName());
    std::vector<int32_t> words(static_cast<size_t>(count));
    stream.ReadBuffer(words.data(), count * 4);
    if constexpr (std::endian::native == std::endian::big)
        for (int32_t& word : words)
            word = static_cast<int32_t>(__builtin_bswap32(static_cast<uint32_t>(word)));
    return words;
}

}  // namespace

void ImagePackageReader::Reset() {
    path_.clear();
    maskWords_.clear();
    pictureJpeg_.clear();
    thumbnailJpeg_.clear();
    weather_ = {};
    waves_ = {};
    pictureName_.clear();
    comment_.clear();
    soundFile_.clear();
}

void ImagePackageReader::LoadHeader(const std::string& path) {
    Reset();
    try {
        FileStream stream(path, StreamMode::Open);
        path_ = path;
        ReadHeaderItems(stream, pictureName_, comment_, thumbnailJpeg_);
    } catch (...) {
        Reset();
        throw;
    }
}

void ImagePackageReader::Load(const std::string& path) {
    Reset();
    try {
        FileStream stream(path, StreamMode::Open);
        path_ = path;
        ReadHeaderItems(stream, pictureName_, comment_, thumbnailJpeg_);

        // Only four areas exist; more records than that mark a damaged package.
        const int32_t waveCount = stream.ReadInt();
        if (waveCount < 0 || waveCount > AreaCount) ThrowIncorrect(stream);
        for (int i = 0; i < waveCount; ++i) {
            unsigned char record[WaveParamBytes];
            stream.ReadBuffer(record, WaveParamBytes);
            waves_[static_cast<size_t>(i)] = ParseWaveParam(record);
        }

        maskWords_ = ReadMaskWords(stream);
        stream.ReadToMemory(pictureJpeg_, ReadLength(stream));
        soundFile_ = ReadText(stream);

        unsigned char record[WeatherParamBytes];
        stream.ReadBuffer(record, WeatherParamBytes);
        weather_ = ParseWeatherParam(record);
    } catch (...) {
        Reset();
        throw;
    }
}

void ImagePackageReader::DecodeItem(const std::string& jpeg, const char* item,
                                    Bitmap32& bitmap) const {
    try {
        lv::DecodeJpegInto(jpeg, path_, bitmap);
    } catch (const Error& e) {
        throw Error(std::string(item) + ": " + e.Message(), path_);
    }
}

void ImagePackageReader::GetPicture(Bitmap32& bitmap) const {
    DecodeItem(pictureJpeg_, "picture", bitmap);
}

void ImagePackageReader::GetThumbnail(Bitmap32& bitmap) const {
    DecodeItem(thumbnailJpeg_, "thumbnail", bitmap);
}

void ImagePackageReader::GetMask(AreaMask& mask) const {
    try {
        DecodeAreaMask(maskWords_, mask);
    } catch (const FormatError& e) {
        throw FormatError(e.Message(), path_);
    } catch (const Error& e) {
        throw Error(e.Message(), path_);
    }
}

}  // namespace lv
