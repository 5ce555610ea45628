#include "Audio.h"

#include <algorithm>
#include <cmath>

size_t framesFor(double seconds) {
    return static_cast<size_t>(std::lround(seconds * kSampleRate));
}

double secondsOf(size_t frames) {
    return static_cast<double>(frames) / kSampleRate;
}

void addPanned(Stereo& out, const Mono& in, size_t offset, float pan, float gain) {
    const double angle = (static_cast<double>(pan) + 1.0) * kPi / 4.0;
    const float leftGain = gain * static_cast<float>(std::cos(angle));
    const float rightGain = gain * static_cast<float>(std::sin(angle));
    const size_t end = std::min(out.frames(), offset + in.size());
    for (size_t i = offset; i < end; ++i) {
        out.left[i] += leftGain * in[i - offset];
        out.right[i] += rightGain * in[i - offset];
    }
}

namespace {

float raisedCosine(size_t i, size_t length) {
    return static_cast<float>(0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / length));
}

}  // namespace

void fadeIn(Stereo& audio, double seconds) {
    const size_t length = std::min(audio.frames(), framesFor(seconds));
    for (size_t i = 0; i < length; ++i) {
        const float gain = raisedCosine(i, length);
        audio.left[i] *= gain;
        audio.right[i] *= gain;
    }
}

void fadeOut(Stereo& audio, double seconds) {
    const size_t length = std::min(audio.frames(), framesFor(seconds));
    const size_t start = audio.frames() - length;
    for (size_t i = 0; i < length; ++i) {
        const float gain = raisedCosine(length - 1 - i, length);
        audio.left[start + i] *= gain;
        audio.right[start + i] *= gain;
    }
}

void removeDc(Stereo& audio) {
    const float pole = static_cast<float>(std::exp(-kTwoPi * 10.0 / kSampleRate));
    for (Mono* channel : {&audio.left, &audio.right}) {
        float previousIn = 0.0f;
        float previousOut = 0.0f;
        for (float& sample : *channel) {
            const float out = sample - previousIn + pole * previousOut;
            previousIn = sample;
            previousOut = out;
            sample = out;
        }
    }
}
