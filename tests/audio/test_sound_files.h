#pragma once

#include <cmath>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace lv::test {

// Small sound files written by the tests themselves, so no binary fixtures are needed.

inline void AppendBigEndian32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

inline void AppendLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// A standard MIDI file of format 0 at 96 ticks per quarter note (120 beats per minute by
// default): a piano plays `notes` one after another, each `ticksPerNote` long.
inline std::vector<uint8_t> MakeMidi(std::initializer_list<uint8_t> notes, uint8_t ticksPerNote) {
    std::vector<uint8_t> track;
    auto event = [&track](uint8_t delta, std::initializer_list<uint8_t> bytes) {
        track.push_back(delta);
        track.insert(track.end(), bytes);
    };
    event(0, {0xC0, 0});  // program change: acoustic grand piano
    for (uint8_t note : notes) {
        event(0, {0x90, note, 100});
        event(ticksPerNote, {0x80, note, 0});
    }
    event(0, {0xFF, 0x2F, 0});  // end of track

    std::vector<uint8_t> file = {'M', 'T', 'h', 'd'};
    AppendBigEndian32(file, 6);
    file.insert(file.end(), {0, 0, 0, 1, 0, 96});
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    AppendBigEndian32(file, static_cast<uint32_t>(track.size()));
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

// A 16-bit mono WAV file with a sine tone.
inline std::vector<uint8_t> MakeWav(int milliseconds, double frequency = 440.0) {
    constexpr uint32_t rate = 22050;
    const uint32_t samples = rate * static_cast<uint32_t>(milliseconds) / 1000;
    std::vector<uint8_t> file = {'R', 'I', 'F', 'F'};
    AppendLittleEndian(file, 36 + samples * 2, 4);
    file.insert(file.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    AppendLittleEndian(file, 16, 4);
    AppendLittleEndian(file, 1, 2);  // PCM
    AppendLittleEndian(file, 1, 2);  // mono
    AppendLittleEndian(file, rate, 4);
    AppendLittleEndian(file, rate * 2, 4);
    AppendLittleEndian(file, 2, 2);
    AppendLittleEndian(file, 16, 2);
    file.insert(file.end(), {'d', 'a', 't', 'a'});
    AppendLittleEndian(file, samples * 2, 4);
    for (uint32_t i = 0; i < samples; ++i) {
        const double value = 12000.0 * std::sin(2.0 * M_PI * frequency * i / rate);
        AppendLittleEndian(file, static_cast<uint32_t>(static_cast<int16_t>(value)), 2);
    }
    return file;
}

}  // namespace lv::test
