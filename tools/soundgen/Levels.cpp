#include "Levels.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "Filters.h"
#include "LoudnessMeter.h"
#include "Mp3Encoder.h"

namespace {

constexpr int kNormalisePasses = 5;
constexpr double kLoudnessTolerance = 0.05;  // LU
constexpr double kLimiterHold = 0.004;       // seconds the gain is already down before a peak
constexpr double kLimiterRelease = 0.120;    // seconds for the gain to recover most of the way
// The limiter works on sample peaks; this much under the ceiling covers the peaks between them.
constexpr double kInterSampleMargin = 0.5;

// Music levelling: the loudness followed over 3 s, its gain smoothed over 8 s, and moved this far
// towards the target within these bounds.
constexpr double kLevellingWindow = 3.0;
constexpr double kLevellingSmoothing = 8.0;
constexpr double kLevellingStrength = 0.8;
constexpr double kLevellingMinGain = -6.0, kLevellingMaxGain = 9.0;  // dB

double gainOf(double decibels) {
    return std::pow(10.0, decibels / 20.0);
}

StereoSpan spanOf(const Stereo& audio) {
    return {audio.left.data(), audio.right.data(), audio.frames()};
}

void scale(Stereo& audio, double decibels) {
    const float gain = static_cast<float>(gainOf(decibels));
    for (size_t i = 0; i < audio.frames(); ++i) {
        audio.left[i] *= gain;
        audio.right[i] *= gain;
    }
}

// Minimum of values over [i - half, i + half] for every i.
std::vector<float> slidingMinimum(const std::vector<float>& values, size_t half) {
    std::vector<float> out(values.size());
    std::deque<size_t> candidates;
    for (size_t end = 0; end < values.size() + half; ++end) {
        if (end < values.size()) {
            while (!candidates.empty() && values[candidates.back()] >= values[end])
                candidates.pop_back();
            candidates.push_back(end);
        }
        if (end < half) continue;
        const size_t i = end - half;
        while (candidates.front() + half < i) candidates.pop_front();
        out[i] = values[candidates.front()];
    }
    return out;
}

// A look-ahead limiter: the gain needed at a peak is reached `kLimiterHold` before it (a minimum
// over the hold on both sides), recovers slowly after it, and is smoothed by a moving average
// over the hold, which never rises above what any sample within the hold needs.
void limitPeaks(Stereo& audio, double ceilingDb) {
    const float ceiling = static_cast<float>(gainOf(ceilingDb));
    std::vector<float> need(audio.frames());
    for (size_t i = 0; i < audio.frames(); ++i) {
        const float peak = std::max(std::fabs(audio.left[i]), std::fabs(audio.right[i]));
        need[i] = peak > ceiling ? ceiling / peak : 1.0f;
    }
    const size_t hold = framesFor(kLimiterHold);
    std::vector<float> gain = slidingMinimum(need, hold);
    const float recovery =
        static_cast<float>(1.0 - std::exp(-1.0 / (kLimiterRelease * kSampleRate)));
    for (size_t i = 1; i < gain.size(); ++i)
        gain[i] = std::min(gain[i], gain[i - 1] + recovery * (1.0f - gain[i - 1]));
    double sum = 0.0;
    for (size_t i = 0; i < std::min(hold, gain.size()); ++i) sum += gain[i];
    for (size_t i = 0; i < audio.frames(); ++i) {
        // Moving average over [i - hold, i + hold], shorter at the ends.
        if (i + hold < gain.size()) sum += gain[i + hold];
        if (i > hold) sum -= gain[i - hold - 1];
        const size_t count = std::min(gain.size(), i + hold + 1) - (i > hold ? i - hold : 0);
        const float g = static_cast<float>(sum / static_cast<double>(count));
        audio.left[i] *= g;
        audio.right[i] *= g;
    }
}

// Low-passes at the encoder's cut-off (fourth order), the filters first run over the sound's last
// frames so that a loop stays seamless and a fading end leaves no step.
void limitBand(Stereo& audio) {
    const size_t warmUp = std::min(audio.frames(), framesFor(0.01));
    for (Mono* channel : {&audio.left, &audio.right}) {
        Biquad first = Biquad::lowPass(kEncoderLowPass, 0.5412);
        Biquad second = Biquad::lowPass(kEncoderLowPass, 1.3066);
        for (size_t i = channel->size() - warmUp; i < channel->size(); ++i)
            second.process(first.process((*channel)[i]));
        for (float& sample : *channel) sample = second.process(first.process(sample));
    }
}

template <typename Measure>
void normalise(Stereo& audio, double loudness, Measure measure) {
    limitBand(audio);
    // The limiter takes a little loudness off, so scaling repeats until it no longer does.
    for (int pass = 0; pass < kNormalisePasses; ++pass) {
        const double missing = loudness - measure(spanOf(audio));
        if (pass > 0 && std::fabs(missing) < kLoudnessTolerance) break;
        scale(audio, missing);
        limitPeaks(audio, kTruePeakCeiling - kInterSampleMargin);
    }
    const double over = truePeak(spanOf(audio)) - kTruePeakCeiling;
    if (over > 0.0) scale(audio, -over);
}

}  // namespace

void normaliseIntegrated(Stereo& audio, double loudness) {
    normalise(audio, loudness,
              [](StereoSpan span) { return integratedLoudness(span, kSampleRate); });
}

void normaliseLoudest(Stereo& audio, double loudness) {
    normalise(audio, loudness,
              [](StereoSpan span) { return momentaryMaxLoudness(span, kSampleRate); });
}

void levelMusic(Stereo& audio, double loudness) {
    const std::vector<double> blocks = blockPowers(spanOf(audio), kSampleRate);
    const auto average = [](const std::vector<double>& values, size_t i, size_t width) {
        const size_t first = i >= width / 2 ? i - width / 2 : 0;
        const size_t last = std::min(values.size(), i + width / 2 + 1);
        double sum = 0.0;
        for (size_t j = first; j < last; ++j) sum += values[j];
        return sum / static_cast<double>(last - first);
    };
    const size_t window =
        static_cast<size_t>(std::lround(kLevellingWindow / kLoudnessBlockStepSeconds));
    std::vector<double> wanted(blocks.size());
    for (size_t i = 0; i < blocks.size(); ++i) {
        const double shortTerm = loudnessOfPower(average(blocks, i, window));
        wanted[i] = std::clamp(kLevellingStrength * (loudness - shortTerm), kLevellingMinGain,
                               kLevellingMaxGain);
    }
    const size_t smoothing =
        static_cast<size_t>(std::lround(kLevellingSmoothing / kLoudnessBlockStepSeconds));
    std::vector<double> gain(wanted.size());
    for (size_t i = 0; i < wanted.size(); ++i) gain[i] = average(wanted, i, smoothing);

    // Each block's gain holds at its centre; between centres it is interpolated.
    const double blockCentre = kLoudnessBlockSeconds / 2.0;
    for (size_t i = 0; i < audio.frames() && !gain.empty(); ++i) {
        const double at = std::clamp((secondsOf(i) - blockCentre) / kLoudnessBlockStepSeconds, 0.0,
                                     static_cast<double>(gain.size() - 1));
        const size_t below = static_cast<size_t>(at);
        const size_t above = std::min(below + 1, gain.size() - 1);
        const double decibels = gain[below] + (at - below) * (gain[above] - gain[below]);
        const float g = static_cast<float>(gainOf(decibels));
        audio.left[i] *= g;
        audio.right[i] *= g;
    }
    normaliseIntegrated(audio, loudness);
}
