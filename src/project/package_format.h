#pragma once

#include <string>
#include <string_view>

#include "project/image_package.h"

namespace lv {

// Byte layout shared by the image package reader and writer. A package is, in order: the
// signature, picture name and comment (32-bit length + 8-bit text), the thumbnail (length +
// JPEG), the wave record count and that many 32-byte WaveParameters records, the mask length in
// words and the mask words, the picture (length + JPEG), the sound text and one 24-byte
// WeatherParameters record. Integers are 32-bit little-endian; anything after the weather record
// is ignored.
inline constexpr std::string_view PackageSignature = "LV060697";
inline constexpr std::string_view NoSoundText = "<No Sound>";
inline constexpr std::string_view IncorrectProjectFile = "Incorrect Project File!";

// Record (de)serialisation, reserved fields included, so a record round-trips byte for byte.
WaveParameters ParseWaveParam(const unsigned char* record);        // WaveParamBytes bytes
WeatherParameters ParseWeatherParam(const unsigned char* record);  // WeatherParamBytes bytes
void AppendWaveParam(std::string& out, const WaveParameters& wave);
void AppendWeatherParam(std::string& out, const WeatherParameters& weather);

}  // namespace lv
