#include "project/package_format.h"

#include "common/file_util.h"

namespace lv {

WaveParameters ParseWaveParam(const unsigned char* record) {
    WaveParameters wave;
    wave.Amplitude = ReadLE32(record);
    wave.WaveCount = ReadLE32(record + 4);
    wave.PhaseStep = ReadLE32(record + 8);
    wave.Direction = ReadLE32(record + 12);
    wave.Horizontal = record[16];
    wave.Vertical = record[17];
    wave.Perspective = record[18];
    wave.Reserved1 = record[19];
    wave.Cycle = ReadLE32(record + 20);
    wave.Jitter = ReadLE32(record + 24);
    wave.Reserved2 = ReadLE32(record + 28);
    return wave;
}

WeatherParameters ParseWeatherParam(const unsigned char* record) {
    WeatherParameters weather;
    weather.Kind = ReadLE32(record);
    weather.Count = ReadLE32(record + 4);
    weather.SpeedLevel = ReadLE32(record + 8);
    weather.Angle = ReadLE32(record + 12);
    weather.Length = ReadLE32(record + 16);
    weather.Reserved = ReadLE32(record + 20);
    return weather;
}

void AppendWaveParam(std::string& out, const WaveParameters& wave) {
    AppendLE32(out, wave.Amplitude);
    AppendLE32(out, wave.WaveCount);
    AppendLE32(out, wave.PhaseStep);
    AppendLE32(out, wave.Direction);
    out.push_back(static_cast<char>(wave.Horizontal));
    out.push_back(static_cast<char>(wave.Vertical));
    out.push_back(static_cast<char>(wave.Perspective));
    out.push_back(static_cast<char>(wave.Reserved1));
    AppendLE32(out, wave.Cycle);
    AppendLE32(out, wave.Jitter);
    AppendLE32(out, wave.Reserved2);
}

void AppendWeatherParam(std::string& out, const WeatherParameters& weather) {
    AppendLE32(out, weather.Kind);
    AppendLE32(out, weather.Count);
    AppendLE32(out, weather.SpeedLevel);
    AppendLE32(out, weather.Angle);
    AppendLE32(out, weather.Length);
    AppendLE32(out, weather.Reserved);
}

}  // namespace lv
