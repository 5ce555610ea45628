#include "Lightning.h"

#include <cmath>

namespace {
// A strike: a bright main stroke, then the channel's afterglow, which holds a moment and fades. The
// first frame of the strike is still dark: the light follows the crack by a few frames, as if the
// bolt were a few tens of metres off. The afterglow does not flicker: on the wet stone the flash's
// highlights pass the bloom's threshold, where dimming the light by a tenth and bringing it back
// changes a fair part of the picture by a tenth of its luminance, which counts as a flash of its
// own for viewers sensitive to flashes. So each strike is one flash, a rise and a fall.
constexpr float kStrokeAt = 0.06f;   // seconds after the strike at which the main stroke peaks
constexpr float kRise = 0.02f;       // seconds from dark to the stroke's peak
constexpr float kStrokeFall = 0.1f;  // seconds for the stroke to fade to a tenth
constexpr float kGlow = 0.8f;        // the afterglow's level under the stroke
constexpr float kFadeFrom = 0.35f;   // seconds after which the afterglow fades...
constexpr float kLastLight = 0.9f;   // ...to nothing here, when the strike is over

// The softened strike: its peak, and when it rises from dark (within the stroke's first frame) and
// is gone again.
constexpr float kSoftPeak = 0.12f;
constexpr float kSoftFrom = kStrokeAt - kRise;
constexpr float kSoftTo = 0.85f;

float smoothFall(float from, float to, float t) {
    const float x = std::fmin(std::fmax((t - from) / (to - from), 0.0f), 1.0f);
    return 1.0f - x * x * (3.0f - 2.0f * x);
}
}  // namespace

void Lightning::strike() {
    sinceStrike = 0.0f;
}

void Lightning::update(float dt) {
    if (sinceStrike < 0.0f || !(dt > 0.0f)) return;
    sinceStrike += dt;
    if (sinceStrike > kLastLight) sinceStrike = -1.0f;
}

float Lightning::brightness() const {
    const float t = sinceStrike - kStrokeAt;
    if (sinceStrike < 0.0f || t < -kRise) return 0.0f;
    if (t < 0.0f) return 1.0f + t / kRise;
    const float stroke = std::exp(-2.302585f * t / kStrokeFall);
    return std::fmax(stroke, kGlow * smoothFall(kFadeFrom, kLastLight, sinceStrike));
}

float Lightning::softenedBrightness() const {
    if (sinceStrike < kSoftFrom || sinceStrike > kSoftTo) return 0.0f;
    const float swell = std::sin(3.14159265f * (sinceStrike - kSoftFrom) / (kSoftTo - kSoftFrom));
    return kSoftPeak * swell * swell;
}
