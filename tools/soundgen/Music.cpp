#include <algorithm>
#include <cmath>

#include "Levels.h"
#include "Piano.h"
#include "Random.h"
#include "Reverb.h"
#include "Score.h"
#include "Sounds.h"

namespace {

constexpr double kLeadIn = 0.6;       // seconds of room before the first note
constexpr double kRingOut = 7.0;      // seconds after the last bar for the final chord and the room
constexpr double kPedalLift = 0.03;   // the pedal rises this long before a new harmony
constexpr double kPedalCatch = 0.12;  // and goes down again this long after it

// Maps beats to seconds through the score's tempo.
class Timeline {
public:
    explicit Timeline(const Score& score) : seconds_(score.beatSeconds) {
        starts_.push_back(kLeadIn);
        for (double s : seconds_) starts_.push_back(starts_.back() + s);
    }
    double at(double beat) const {
        const double whole = std::floor(beat);
        if (whole >= static_cast<double>(seconds_.size())) {
            return starts_.back() + (beat - seconds_.size()) * seconds_.back();
        }
        const size_t index = static_cast<size_t>(std::max(0.0, whole));
        return starts_[index] + (beat - whole) * seconds_[index];
    }

private:
    std::vector<double> seconds_;
    std::vector<double> starts_;
};

// When the dampers fall on a key released at keyUp: at the next pedal change if the pedal is down.
double damperFall(double keyUp, const std::vector<double>& changes, double end) {
    for (size_t i = 0; i < changes.size(); ++i) {
        const double down = changes[i] + kPedalCatch;
        const double up = i + 1 < changes.size() ? changes[i + 1] - kPedalLift : end;
        if (keyUp >= down && keyUp < up) return up;
    }
    return keyUp;
}

}  // namespace

Stereo renderPianoMusic() {
    const Score score = composeNocturne();
    const Timeline time(score);
    Random random(0x70A17E5u);

    std::vector<double> changes;
    for (double beat : score.harmonyChanges) changes.push_back(time.at(beat));
    const double end = time.at(score.lengthBeats) + kRingOut;

    Stereo music(framesFor(end));
    for (const ScoreNote& written : score.notes) {
        PianoNote note;
        // A player is never exactly on the beat; the melody a shade less so than the bass.
        const double spread = written.melody ? 0.010 : 0.006;
        note.start = std::max(0.0, time.at(written.beat) + spread * random.gaussian());
        // The melody is played legato, overlapping its next note slightly.
        const double keyUp = time.at(written.beat + written.beats) + (written.melody ? 0.03 : 0.0);
        note.damped = std::min(damperFall(keyUp, changes, end - 1.0), end - 0.5);
        note.key = written.key;
        note.velocity =
            static_cast<float>(std::clamp(written.velocity + 0.025 * random.gaussian(), 0.05, 1.0));
        renderPianoNote(note, music, random.next());
    }

    ReverbSettings hall;
    hall.roomSize = 0.86;
    hall.damping = 0.55;
    hall.wet = 0.2;
    hall.scale = 1.35;
    hall.preDelay = 0.025;
    applyReverb(music, hall);
    removeDc(music);
    levelMusic(music, kMusicLoudness);
    fadeOut(music, 2.0);
    return music;
}
