#include "project/package_writer.h"

#include <algorithm>
#include <limits>

#include "common/error.h"
#include "common/file_util.h"
#include "project/area_mask.h"
#include "project/package_format.h"

namespace lv {
namespace {

void AppendLength(std::string& out, size_t length, const char* item) {
    if (length > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw Error(std::string(item) + " is too long for an image package");
    AppendLE32(out, static_cast<int32_t>(length));
}

void AppendBlock(std::string& out, const std::string& bytes, const char* item) {
    AppendLength(out, bytes.size(), item);
    out += bytes;
}

// A run of `length` pixels of `area`; runs longer than a word can hold are split.
void AppendRun(std::vector<int32_t>& words, int64_t length, int area) {
    constexpr int64_t MaxRun = std::numeric_limits<int32_t>::max() / 10;
    while (length > 0) {
        const int64_t n = std::min(length, MaxRun);
        words.push_back(static_cast<int32_t>(n * 10 + area));
        length -= n;
    }
}

}  // namespace

std::string BuildImagePackage(const PackageContents& contents) {
    if (contents.Waves.size() > static_cast<size_t>(AreaCount))
        throw Error("an image package holds at most 4 wave records");
    std::string out;
    out.reserve(contents.PictureJpeg.size() + contents.ThumbnailJpeg.size() +
                contents.MaskWords.size() * 4 + 1400);
    out += PackageSignature;
    AppendBlock(out, contents.PictureName, "picture name");
    AppendBlock(out, contents.Comment, "comment");
    AppendBlock(out, contents.ThumbnailJpeg, "thumbnail");
    AppendLE32(out, static_cast<int32_t>(contents.Waves.size()));
    for (const WaveParameters& wave : contents.Waves) AppendWaveParam(out, wave);
    AppendLength(out, contents.MaskWords.size(), "area mask");
    for (const int32_t word : contents.MaskWords) AppendLE32(out, word);
    AppendBlock(out, contents.PictureJpeg, "picture");
    AppendBlock(out, contents.SoundFile, "sound file name");
    AppendWeatherParam(out, contents.Weather);
    out.append(static_cast<size_t>(std::max(contents.TrailingZeroBytes, 0)), '\0');
    return out;
}

std::vector<int32_t> EncodeAreaMask(const Bitmap32& mask) {
    std::vector<int32_t> words = {mask.Width(), mask.Height()};
    int area = 0;
    int64_t length = 0;
    for (int y = 0; y < mask.Height(); ++y) {
        const uint32_t* row = mask.Row(y);
        for (int x = 0; x < mask.Width(); ++x) {
            const int pixelArea = AreaOfColour(row[x]);
            if (pixelArea != area) {
                AppendRun(words, length, area);
                area = pixelArea;
                length = 0;
            }
            ++length;
        }
    }
    AppendRun(words, length, area);
    return words;
}

std::vector<int32_t> EmptyAreaMask(int width, int height) {
    // Within the bitmap limits width x height x 10 fits one word.
    CheckPictureSize(width, height, "area mask");
    return {width, height, static_cast<int32_t>(static_cast<int64_t>(width) * height * 10)};
}

}  // namespace lv
