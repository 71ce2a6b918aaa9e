#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/bitmap32.h"
#include "project/image_package.h"

namespace lv {

// Parses one image package file into its parts. The two JPEGs are kept as their bytes and
// decoded only when a bitmap is asked for, so a damaged picture is reported by GetPicture /
// GetThumbnail, as the package's other parts are already known then.
class ImagePackageReader {
public:
    // The whole package. Raises lv::FormatError "Incorrect Project File!" for a wrong
    // signature, a wave count outside 0 .. 4 or a negative length, and lv::ReadError when a
    // length reaches past the end of the file (checked before anything is allocated).
    void Load(const std::string& path);
    // Signature, picture name, comment and thumbnail only.
    void LoadHeader(const std::string& path);

    // Decode into `bitmap`; errors name the package file.
    void GetPicture(Bitmap32& bitmap) const;
    void GetThumbnail(Bitmap32& bitmap) const;
    void GetMask(AreaMask& mask) const;
    void GetWaveParams(std::array<WaveParameters, AreaCount>& waves) const { waves = waves_; }
    void GetWeatherParam(WeatherParameters& weather) const { weather = weather_; }

    const std::string& PictureName() const { return pictureName_; }
    const std::string& Comment() const { return comment_; }
    const std::string& SoundFile() const { return soundFile_; }
    const std::vector<int32_t>& MaskWords() const { return maskWords_; }

private:
    void Reset();
    void DecodeItem(const std::string& jpeg, const char* item, Bitmap32& bitmap) const;

    std::string path_;
    std::vector<int32_t> maskWords_;
    std::string pictureJpeg_;
    std::string thumbnailJpeg_;
    WeatherParameters weather_;
    std::array<WaveParameters, AreaCount> waves_{};
    std::string pictureName_;
    std::string comment_;
    std::string soundFile_;
};

}  // namespace lv
