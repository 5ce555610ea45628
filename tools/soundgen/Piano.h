#pragma once

#include <cstdint>

#include "Audio.h"

// One struck key. Times are in seconds from the start of the piece.
struct PianoNote {
    double start = 0.0;
    // When the damper falls on the strings: the key's release, or the pedal's when it holds the
    // note longer.
    double damped = 0.0;
    int key = 60;           // MIDI key number
    float velocity = 0.5f;  // 0 to 1
};

// Adds the note to out. The tone is a sum of string partials: stretched above the harmonic series
// by the string's stiffness, shaped by where the hammer strikes and how hard, each decaying at its
// own rate in two stages (two strings of the unison, slightly detuned, one fading fast and one
// slow, which also makes them beat), plus the felt's knock at the strike. seed varies the detuning
// and the knock from note to note.
void renderPianoNote(const PianoNote& note, Stereo& out, uint64_t seed);
