#pragma once

#include <vector>

// A piece as written: times in beats, loudness as a 0-to-1 velocity before any performance.
struct ScoreNote {
    double beat = 0.0;
    double beats = 1.0;
    int key = 60;
    float velocity = 0.5f;
    bool melody = false;
};

struct Score {
    std::vector<ScoreNote> notes;
    // Beats where the harmony changes; the pedal is changed there.
    std::vector<double> harmonyChanges;
    double lengthBeats = 0.0;
    // Seconds per beat at each beat of the piece (index = whole beat), with the slowing at the
    // cadences and at the end.
    std::vector<double> beatSeconds;
};

// The music of the house: a nocturne in D minor. Four-bar phrases over broken chords in the left
// hand; a theme with half and full cadences, its varied repeat, a middle part in F major that turns
// back through A7, the theme again in octaves, and a coda that dies away on a held D minor chord.
Score composeNocturne();
