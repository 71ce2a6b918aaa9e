#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Small sound files made by code, for the demo saver and the tests: no binary fixture whose
// origin cannot be reproduced.
namespace lvdemo {

struct MidiNote {
    uint8_t key;       // MIDI key number, 60 = middle C; 0 is a rest
    uint16_t ticks;    // length at 96 ticks per quarter note
};

// A standard MIDI file of format 0 at 96 ticks per quarter note and `beatsPerMinute`: one
// instrument (General MIDI program number) plays the notes one after another.
std::string MakeMidi(const std::vector<MidiNote>& notes, uint8_t program = 0,
                     int beatsPerMinute = 120);

// A 16-bit mono PCM WAV file at 22050 Hz with a sine tone fading in and out.
std::string MakeWav(int milliseconds, double frequency = 440.0);

// A 16-bit mono WAV file of soft surf: low-passed noise swelling and ebbing like waves on a
// shore, `seconds` long, seamless when looped.
std::string MakeSurfWav(int seconds);

}  // namespace lvdemo
