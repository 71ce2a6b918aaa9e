#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/bitmap32.h"
#include "project/area_mask.h"

namespace lv {

// Water-ripple parameters of one area; 32 bytes as stored in an image package.
struct WaveParameters {
    int32_t Amplitude = 0;
    int32_t WaveCount = 0;
    int32_t PhaseStep = 0;
    int32_t Direction = 0;
    uint8_t Horizontal = 0;
    uint8_t Vertical = 0;
    uint8_t Perspective = 0;
    uint8_t Reserved1 = 0;
    int32_t Cycle = 0;
    int32_t Jitter = 0;
    int32_t Reserved2 = 0;

    friend bool operator==(const WaveParameters&, const WaveParameters&) = default;
};

// Rain or snow parameters of a package; 24 bytes as stored.
struct WeatherParameters {
    int32_t Kind = 0;  // 0 none, 1 snow, 2 rain
    int32_t Count = 0;
    int32_t SpeedLevel = 0;
    int32_t Angle = 0;
    int32_t Length = 0;
    int32_t Reserved = 0;

    friend bool operator==(const WeatherParameters&, const WeatherParameters&) = default;
};

inline constexpr int WaveParamBytes = 32;
inline constexpr int WeatherParamBytes = 24;
inline constexpr int AreaCount = 4;

// One loaded image package as the show, the generator and the configuration window use it.
// Reusable: every Load or LoadHeader discards what was loaded before; after a failed load the
// object holds empty bitmaps, zeroed parameters and Loaded == false.
class ImagePackage {
public:
    bool Loaded = false;
    std::string FileName;
    Bitmap32 Picture;
    Bitmap32 Thumbnail;
    AreaMask Mask;
    std::array<WaveParameters, AreaCount> Waves{};  // areas 1 to 4
    WeatherParameters Weather;
    std::string PictureName;
    std::string Comment;
    int SpeedPercent = 100;
    std::string SoundFile;

    // The whole package: picture, thumbnail, decoded mask, parameters and texts. Errors
    // (lv::Error naming the file) propagate after the object has been emptied.
    void Load(const std::string& path);
    // Only the texts and the thumbnail, for the thumbnail list; Picture and Mask stay empty,
    // the parameters zero and Loaded false, as the picture itself is not loaded.
    void LoadHeader(const std::string& path);
    WaveParameters& GetWaveParam(int index) { return Waves.at(static_cast<size_t>(index)); }
    void SetSpeedPercent(int value) { SpeedPercent = value; }

private:
    // Empty bitmaps, zeroed parameters, no texts, Loaded false; SpeedPercent stays.
    void Discard();
};

}  // namespace lv
