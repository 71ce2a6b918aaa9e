#include "demo/sound_files.h"

#include <cmath>
#include <algorithm>
#include <numbers>

namespace lvdemo {
namespace {

void AppendBigEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void AppendLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Delta times are variable-length quantities: 7 bits per byte, high bit set on all but the last.
void AppendDelta(std::string& out, uint32_t value) {
    char bytes[5];
    int count = 0;
    do {
        bytes[count++] = static_cast<char>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out.push_back(static_cast<char>(bytes[--count] | 0x80));
    out.push_back(bytes[0]);
}

}  // namespace

std::string MakeMidi(const std::vector<MidiNote>& notes, uint8_t program, int beatsPerMinute) {
    std::string track;
    const uint32_t microsecondsPerBeat = 60'000'000u / static_cast<uint32_t>(beatsPerMinute);
    AppendDelta(track, 0);
    track += "\xFF\x51\x03";
    AppendBigEndian(track, microsecondsPerBeat, 3);
    AppendDelta(track, 0);
    track.push_back(static_cast<char>(0xC0));
    track.push_back(static_cast<char>(program & 0x7F));
    uint32_t pendingRest = 0;
    for (const MidiNote& note : notes) {
        if (note.key == 0) {
            pendingRest += note.ticks;
            continue;
        }
        AppendDelta(track, pendingRest);
        pendingRest = 0;
        track.push_back(static_cast<char>(0x90));
        track.push_back(static_cast<char>(note.key & 0x7F));
        track.push_back(static_cast<char>(90));
        AppendDelta(track, note.ticks);
        track.push_back(static_cast<char>(0x80));
        track.push_back(static_cast<char>(note.key & 0x7F));
        track.push_back(static_cast<char>(0));
    }
    AppendDelta(track, pendingRest);
    track += std::string("\xFF\x2F\x00", 3);

    std::string file = "MThd";
    AppendBigEndian(file, 6, 4);
    AppendBigEndian(file, 0, 2);   // format 0
    AppendBigEndian(file, 1, 2);   // one track
    AppendBigEndian(file, 96, 2);  // ticks per quarter note
    file += "MTrk";
    AppendBigEndian(file, static_cast<uint32_t>(track.size()), 4);
    return file + track;
}

namespace {

std::string WavHeader(uint32_t rate, uint32_t samples) {
    std::string file = "RIFF";
    AppendLittleEndian(file, 36 + samples * 2, 4);
    file += "WAVEfmt ";
    AppendLittleEndian(file, 16, 4);
    AppendLittleEndian(file, 1, 2);  // PCM
    AppendLittleEndian(file, 1, 2);  // mono
    AppendLittleEndian(file, rate, 4);
    AppendLittleEndian(file, rate * 2, 4);
    AppendLittleEndian(file, 2, 2);
    AppendLittleEndian(file, 16, 2);
    file += "data";
    AppendLittleEndian(file, samples * 2, 4);
    return file;
}

}  // namespace

std::string MakeSurfWav(int seconds) {
    constexpr uint32_t rate = 22050;
    const uint32_t samples = rate * static_cast<uint32_t>(std::max(seconds, 1));
    std::string file = WavHeader(rate, samples);
    uint32_t noise = 12345;
    double low = 0;
    for (uint32_t i = 0; i < samples; ++i) {
        noise = noise * 1664525u + 1013904223u;
        const double white = static_cast<double>(noise >> 8) / (1 << 24) * 2 - 1;
        low += 0.05 * (white - low);
        // Whole swells per file, so the loop point is silent-free and seamless.
        const double phase = 2.0 * std::numbers::pi * i / samples * std::max(seconds / 4, 1);
        const double swell = 0.35 + 0.65 * std::pow(0.5 - 0.5 * std::cos(phase), 2);
        AppendLittleEndian(file, static_cast<uint32_t>(static_cast<int16_t>(26000.0 * swell * low)), 2);
    }
    return file;
}

std::string MakeWav(int milliseconds, double frequency) {
    constexpr uint32_t rate = 22050;
    const uint32_t samples = rate * static_cast<uint32_t>(std::max(milliseconds, 0)) / 1000;
    std::string file = WavHeader(rate, samples);
    const double fadeSamples = rate * 0.05;
    for (uint32_t i = 0; i < samples; ++i) {
        const double fade = std::min({1.0, i / fadeSamples, (samples - i) / fadeSamples});
        const double value =
            12000.0 * fade * std::sin(2.0 * std::numbers::pi * frequency * i / rate);
        AppendLittleEndian(file, static_cast<uint32_t>(static_cast<int16_t>(value)), 2);
    }
    return file;
}

}  // namespace lvdemo
