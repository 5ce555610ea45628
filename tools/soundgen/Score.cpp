#include "Score.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>
#include <string>

#include "Audio.h"

namespace {

enum class Accompaniment { Arpeggio, ArpeggioOctaves, Chords, FinalChord };

struct Bar {
    const char* harmony;  // one chord, or two for the two halves of the bar
    const char* melody;   // notes as "D5:1.5" (name, octave, beats), "r:1" a rest
    Accompaniment accompaniment;
    float loudness;  // the melody's velocity at the start of the bar
    bool melodyInOctaves = false;
    double slowing = 1.0;  // how much longer the bar's last two beats are
};

constexpr double kBeatSeconds = 1.0;  // 60 beats per minute
constexpr int kBeatsPerBar = 4;

// The bars, in order. The theme (bars 1 to 8) ends its first phrase on the dominant and its second
// on the tonic; its repeat climbs to D6; the middle part (17 to 24) lightens into F major before
// A7 leads home; the theme returns loud in octaves; the coda sinks through E half-diminished.
const Bar kBars[] = {
    {"Dm", "r:1 A4:1 D5:1 F5:1", Accompaniment::Arpeggio, 0.36f},
    {"Bb", "F5:1.5 E5:0.5 D5:2", Accompaniment::Arpeggio, 0.40f},
    {"Gm", "Bb4:1 D5:1 G5:1.5 F5:0.5", Accompaniment::Arpeggio, 0.44f},
    {"A", "E5:3 r:1", Accompaniment::Arpeggio, 0.40f, false, 1.25},
    {"Dm", "r:1 A4:1 D5:1 F5:1", Accompaniment::Arpeggio, 0.38f},
    {"Bb", "A5:1.5 G5:0.5 F5:1 D5:1", Accompaniment::Arpeggio, 0.44f},
    {"Gm A7", "G5:1 Bb4:1 C#5:1 E5:1", Accompaniment::Arpeggio, 0.46f},
    {"Dm", "D5:3 r:1", Accompaniment::Arpeggio, 0.38f, false, 1.3},

    {"Dm", "r:0.5 A4:0.5 D5:0.5 E5:0.5 F5:1 A5:1", Accompaniment::Arpeggio, 0.42f},
    {"Bb", "Bb5:1.5 A5:0.5 G5:1 F5:1", Accompaniment::Arpeggio, 0.48f},
    {"Gm", "G5:1.5 F5:0.5 E5:1 D5:1", Accompaniment::Arpeggio, 0.50f},
    {"A", "C#5:2 E5:1 A4:1", Accompaniment::Arpeggio, 0.46f, false, 1.2},
    {"Dm", "F5:1.5 E5:0.5 D5:1 A5:1", Accompaniment::Arpeggio, 0.48f},
    {"Bb", "D6:1.5 C6:0.5 Bb5:1 A5:1", Accompaniment::Arpeggio, 0.56f},
    {"Gm A7", "G5:1 Bb5:1 A5:1 C#5:1", Accompaniment::Arpeggio, 0.52f},
    {"Dm", "D5:4", Accompaniment::Arpeggio, 0.44f, false, 1.35},

    {"F", "C5:1 F5:1 A5:1.5 G5:0.5", Accompaniment::Chords, 0.40f},
    {"C/E", "G5:2 E5:1 C5:1", Accompaniment::Chords, 0.42f},
    {"Dm", "D5:1 F5:1 A5:1.5 F5:0.5", Accompaniment::Chords, 0.45f},
    {"A/C#", "E5:2 C#5:1 A4:1", Accompaniment::Chords, 0.44f, false, 1.15},
    {"Bb", "D5:1 F5:1 Bb5:1.5 A5:0.5", Accompaniment::Chords, 0.48f},
    {"F/A", "A5:2 F5:1 C5:1", Accompaniment::Chords, 0.50f},
    {"Gm", "Bb4:1 D5:1 G5:1 Bb5:1", Accompaniment::Chords, 0.55f},
    {"A7", "A5:1.5 G5:0.5 E5:1 C#5:1", Accompaniment::Chords, 0.60f, false, 1.3},

    {"Dm", "r:0.5 A4:0.5 D5:0.5 E5:0.5 F5:1 A5:1", Accompaniment::ArpeggioOctaves, 0.60f, true},
    {"Bb", "Bb5:1.5 A5:0.5 G5:1 F5:1", Accompaniment::ArpeggioOctaves, 0.66f, true},
    {"Gm", "G5:1.5 F5:0.5 E5:1 D5:1", Accompaniment::ArpeggioOctaves, 0.70f, true},
    {"A", "C#5:2 E5:1 A4:1", Accompaniment::ArpeggioOctaves, 0.66f, true, 1.2},
    {"Dm", "F5:1.5 E5:0.5 D5:1 A5:1", Accompaniment::ArpeggioOctaves, 0.66f, true},
    {"Bb", "D6:1.5 C6:0.5 Bb5:1 A5:1", Accompaniment::ArpeggioOctaves, 0.74f, true},
    {"Gm A7", "G5:1 Bb5:1 A5:1 C#5:1", Accompaniment::ArpeggioOctaves, 0.66f, true},
    {"Dm", "D5:4", Accompaniment::ArpeggioOctaves, 0.54f, true, 1.4},

    {"Gm", "D5:2 Bb4:1 G4:1", Accompaniment::Arpeggio, 0.42f},
    {"Dm/F", "A4:2 F4:1 D4:1", Accompaniment::Arpeggio, 0.38f},
    {"Ehd", "E4:1 G4:1 Bb4:1 D5:1", Accompaniment::Arpeggio, 0.40f},
    {"A7", "C#5:2 E5:1 G5:1", Accompaniment::Arpeggio, 0.44f, false, 1.15},
    {"Dm", "F5:3 E5:1", Accompaniment::Arpeggio, 0.38f, false, 1.1},
    {"Bb", "D5:1.5 C5:0.5 Bb4:2", Accompaniment::Arpeggio, 0.34f, false, 1.2},
    {"Gm A7", "Bb4:2 C#5:2", Accompaniment::Arpeggio, 0.30f, false, 1.4},
    {"Dm", "D5:4", Accompaniment::Arpeggio, 0.26f, false, 1.6},
    {"Dm", "r:4", Accompaniment::FinalChord, 0.26f, false, 1.8},
};

int pitchClass(char letter) {
    switch (letter) {
        case 'C':
            return 0;
        case 'D':
            return 2;
        case 'E':
            return 4;
        case 'F':
            return 5;
        case 'G':
            return 7;
        case 'A':
            return 9;
        default:
            return 11;  // B
    }
}

// Reads a letter with an optional sharp or flat, advancing pos.
int readPitchClass(const std::string& text, size_t& pos) {
    int pc = pitchClass(text[pos++]);
    if (pos < text.size() && text[pos] == '#') {
        ++pc;
        ++pos;
    } else if (pos < text.size() && text[pos] == 'b') {
        --pc;
        ++pos;
    }
    return (pc + 12) % 12;
}

struct Chord {
    int bass = 0;              // pitch class
    std::vector<int> classes;  // pitch classes of the chord
};

Chord parseChord(const std::string& text) {
    size_t pos = 0;
    const int root = readPitchClass(text, pos);
    const std::string rest = text.substr(pos);
    const std::string quality = rest.substr(0, rest.find('/'));
    std::vector<int> intervals = {0, 4, 7};
    if (quality == "m") intervals = {0, 3, 7};
    if (quality == "7") intervals = {0, 4, 7, 10};
    if (quality == "hd") intervals = {0, 3, 6, 10};
    Chord chord;
    for (int interval : intervals) chord.classes.push_back((root + interval) % 12);
    chord.bass = root;
    const size_t slash = rest.find('/');
    if (slash != std::string::npos) {
        size_t bassPos = slash + 1;
        chord.bass = readPitchClass(rest, bassPos);
    }
    return chord;
}

// The bass between B-flat 1 and A 2, where the piano's low strings are warm but not muddy.
int bassKey(int pitchClass) {
    return 34 + (pitchClass - 10 + 12) % 12;
}

bool inChord(const Chord& chord, int key) {
    return std::find(chord.classes.begin(), chord.classes.end(), key % 12) != chord.classes.end();
}

// The chord's tones above the bass, skipping the close ones that would sound muddy down there.
std::vector<int> upperTones(const Chord& chord, int bass, size_t count) {
    std::vector<int> tones;
    for (int key = bass + 6; tones.size() < count; ++key) {
        if (inChord(chord, key)) tones.push_back(key);
    }
    return tones;
}

void addNote(Score& score, double beat, double beats, int key, float velocity, bool melody) {
    score.notes.push_back({beat, beats, key, std::clamp(velocity, 0.05f, 1.0f), melody});
}

// One chord's share of the left hand, from beat for the given number of beats.
void accompany(Score& score, const Chord& chord, Accompaniment style, double beat, double beats,
               float loudness) {
    const int bass = bassKey(chord.bass);
    const std::vector<int> upper = upperTones(chord, bass, 4);
    const float level = 0.6f * loudness + 0.08f;
    switch (style) {
        case Accompaniment::Arpeggio:
        case Accompaniment::ArpeggioOctaves: {
            // Up and back down in eighths: bass, then the four tones above it.
            static const int kPattern[] = {-1, 0, 1, 2, 3, 2, 1, 0};
            const int steps = static_cast<int>(beats * 2.0);
            for (int i = 0; i < steps; ++i) {
                const int index = kPattern[i % 8];
                const int key = index < 0 ? bass : upper[static_cast<size_t>(index)];
                const float shape = index < 0 ? 1.1f : (index == 3 ? 0.95f : 0.82f);
                addNote(score, beat + 0.5 * i, 0.45, key, level * shape, false);
            }
            if (style == Accompaniment::ArpeggioOctaves && bass - 12 >= 26) {
                addNote(score, beat, beats, bass - 12, level * 1.05f, false);
            }
            break;
        }
        case Accompaniment::Chords: {
            // Bass on the beat, the chord after it, answered more softly.
            addNote(score, beat, beats, bass, level * 1.1f, false);
            for (double offset = 1.0; offset < beats; offset += 1.0) {
                const float answer = offset > 1.5 ? 0.72f : 0.85f;
                for (size_t i = 0; i < 3; ++i) {
                    addNote(score, beat + offset, 0.9, upper[i], level * answer, false);
                }
            }
            break;
        }
        case Accompaniment::FinalChord: {
            // Rolled from the low octave upwards, then the right hand's chord.
            addNote(score, beat, beats, bass - 12, level * 1.2f, false);
            addNote(score, beat, beats, bass, level * 1.1f, false);
            for (size_t i = 0; i < 3; ++i) {
                addNote(score, beat + 0.09 * (i + 1), beats, upper[i], level, false);
            }
            const int top[] = {74, 77, 81, 86};
            for (int i = 0; i < 4; ++i) {
                addNote(score, beat + 0.4 + 0.08 * i, beats, top[i], loudness * 0.9f, true);
            }
            break;
        }
    }
}

int parseKey(const std::string& name) {
    size_t pos = 0;
    const int pc = readPitchClass(name, pos);
    const int octave = name[pos] - '0';
    // A flat or sharp that crosses the octave (Cb, B#) is not used.
    return 12 * (octave + 1) + pc;
}

// Adds the melody of one bar, which starts at barBeat.
void sing(Score& score, const Bar& bar, double barBeat, float nextLoudness) {
    std::istringstream words(bar.melody);
    std::string word;
    double beat = 0.0;
    while (words >> word) {
        const size_t colon = word.find(':');
        const double beats = std::stod(word.substr(colon + 1));
        const std::string name = word.substr(0, colon);
        if (name != "r") {
            // The loudness moves across the bar towards the next bar's, long notes lean a little.
            const float along = static_cast<float>(beat / kBeatsPerBar);
            float velocity = bar.loudness + (nextLoudness - bar.loudness) * along;
            velocity += static_cast<float>(0.03 * std::min(beats, 2.0));
            if (std::fmod(beat, 2.0) == 0.0) velocity += 0.03f;
            const int key = parseKey(name);
            addNote(score, barBeat + beat, beats, key, velocity, true);
            if (bar.melodyInOctaves) {
                addNote(score, barBeat + beat, beats, key - 12, velocity * 0.8f, true);
            }
        }
        beat += beats;
    }
}

}  // namespace

Score composeNocturne() {
    Score score;
    const size_t barCount = sizeof(kBars) / sizeof(kBars[0]);
    for (size_t b = 0; b < barCount; ++b) {
        const Bar& bar = kBars[b];
        const double barBeat = static_cast<double>(b * kBeatsPerBar);
        const float nextLoudness = b + 1 < barCount ? kBars[b + 1].loudness : bar.loudness;
        std::istringstream chords(bar.harmony);
        std::vector<std::string> names;
        std::string name;
        while (chords >> name) names.push_back(name);
        const double share = static_cast<double>(kBeatsPerBar) / names.size();
        for (size_t c = 0; c < names.size(); ++c) {
            score.harmonyChanges.push_back(barBeat + share * c);
            const double beats = bar.accompaniment == Accompaniment::FinalChord ? 8.0 : share;
            accompany(score, parseChord(names[c]), bar.accompaniment, barBeat + share * c, beats,
                      bar.loudness);
        }
        sing(score, bar, barBeat, nextLoudness);

        for (int beat = 0; beat < kBeatsPerBar; ++beat) {
            // Each four-bar phrase presses on a little in its middle and broadens at its end.
            const double phrase = (static_cast<double>(b % 4) * kBeatsPerBar + beat) / 16.0;
            double seconds = kBeatSeconds * (1.015 - 0.03 * std::sin(kPi * phrase));
            if (beat >= 2) seconds *= 1.0 + (bar.slowing - 1.0) * (beat - 1) / 2.0;
            score.beatSeconds.push_back(seconds);
        }
    }
    score.lengthBeats = static_cast<double>(barCount * kBeatsPerBar);
    return score;
}
