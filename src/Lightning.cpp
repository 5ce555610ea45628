#include "Lightning.h"

#include <cmath>

namespace {
// A strike flickers: a bright main stroke just after the crack, a weaker return stroke, a last
// faint one, each a quick rise and a decay of a few hundredths of a second. The first frame of
// the strike is still dark: the light follows the crack by a few frames, as if the bolt were a
// few tens of metres off.
struct Stroke {
    float at;        // seconds after the strike
    float peak;      // brightness at its height
    float duration;  // seconds to fade to a tenth
};
const Stroke kStrokes[] = {{0.06f, 1.0f, 0.12f}, {0.24f, 0.6f, 0.1f}, {0.42f, 0.3f, 0.16f}};
constexpr float kRise = 0.02f;      // seconds from dark to a stroke's peak
constexpr float kLastLight = 0.9f;  // seconds after which the strokes are over
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
    if (sinceStrike < 0.0f) return 0.0f;
    float light = 0.0f;
    for (const Stroke& stroke : kStrokes) {
        const float t = sinceStrike - stroke.at;
        if (t < -kRise) continue;
        // A linear rise, then an exponential fall to a tenth over the stroke's duration.
        const float level =
            t < 0.0f ? 1.0f + t / kRise : std::exp(-2.302585f * t / stroke.duration);
        light = std::fmax(light, stroke.peak * level);
    }
    return light;
}
