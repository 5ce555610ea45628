#include "LoudnessMeter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kStepsPerBlock =
    static_cast<int>(kLoudnessBlockSeconds / kLoudnessBlockStepSeconds + 0.5);
constexpr double kAbsoluteGate = -70.0;
constexpr double kRelativeGate = -10.0;

// A second-order section in direct form I, in double precision as the gating needs.
struct Section {
    double b0, b1, b2, a1, a2;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;

    double process(double x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// The K-weighting's two stages, a high shelf of about +4 dB (the head) and a high-pass near 38 Hz
// (the revised low-frequency B curve), made for any sample rate from their analogue prototypes,
// which give the standard's coefficients at 48 kHz.
std::array<Section, 2> kWeighting(int sampleRate) {
    const double shelfFrequency = 1681.974450955533, shelfGainDb = 3.999843853973347;
    const double shelfQ = 0.7071752369554196;
    double k = std::tan(kPi * shelfFrequency / sampleRate);
    const double vh = std::pow(10.0, shelfGainDb / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    double a0 = 1.0 + k / shelfQ + k * k;
    const Section shelf{(vh + vb * k / shelfQ + k * k) / a0, 2.0 * (k * k - vh) / a0,
                        (vh - vb * k / shelfQ + k * k) / a0, 2.0 * (k * k - 1.0) / a0,
                        (1.0 - k / shelfQ + k * k) / a0};

    const double highPassFrequency = 38.13547087602444, highPassQ = 0.5003270373238773;
    k = std::tan(kPi * highPassFrequency / sampleRate);
    a0 = 1.0 + k / highPassQ + k * k;
    const Section highPass{1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0,
                           (1.0 - k / highPassQ + k * k) / a0};
    return {shelf, highPass};
}

// Interpolation filter for 4x oversampling: a Kaiser-windowed sinc, 12 taps per phase, passing
// up to about 20 kHz at 44.1 kHz.
constexpr int kOversampling = 4;
constexpr int kTapsPerPhase = 12;

double besselI0(double x) {
    double sum = 1.0, term = 1.0;
    for (int k = 1; k < 30; ++k) {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
    }
    return sum;
}

std::array<std::array<double, kTapsPerPhase>, kOversampling> interpolationPhases() {
    constexpr int taps = kOversampling * kTapsPerPhase;
    constexpr double beta = 7.0;
    std::array<std::array<double, kTapsPerPhase>, kOversampling> phases{};
    // Centred on a tap, so the phases fall at 0, 1/4, 1/2 and 3/4 of the way between samples.
    constexpr int centre = taps / 2;
    for (int n = 0; n < taps; ++n) {
        const double x = static_cast<double>(n - centre) / kOversampling;  // in input samples
        const double sinc = x == 0.0 ? 1.0 : std::sin(kPi * x) / (kPi * x);
        const double r = static_cast<double>(n - centre) / (centre + 1);
        const double window =
            besselI0(beta * std::sqrt(std::max(0.0, 1.0 - r * r))) / besselI0(beta);
        phases[n % kOversampling][n / kOversampling] = sinc * window;
    }
    // Each phase passes a constant at unit gain.
    for (auto& phase : phases) {
        double sum = 0.0;
        for (double tap : phase) sum += tap;
        for (double& tap : phase) tap /= sum;
    }
    return phases;
}

double channelTruePeak(const float* samples, size_t frames) {
    static const auto phases = interpolationPhases();
    double peak = 0.0;
    for (size_t i = 0; i < frames; ++i) peak = std::max(peak, std::fabs(double{samples[i]}));
    for (size_t i = 0; i + kTapsPerPhase <= frames; ++i) {
        for (const auto& phase : phases) {
            double sum = 0.0;
            for (int t = 0; t < kTapsPerPhase; ++t) sum += phase[t] * samples[i + t];
            peak = std::max(peak, std::fabs(sum));
        }
    }
    return peak;
}

}  // namespace

StereoSpan StereoSpan::part(size_t first, size_t count) const {
    first = std::min(first, frames);
    return {left + first, right + first, std::min(count, frames - first)};
}

double loudnessOfPower(double power) {
    return power > 0.0 ? -0.691 + 10.0 * std::log10(power)
                       : -std::numeric_limits<double>::infinity();
}

std::vector<double> blockPowers(StereoSpan audio, int sampleRate) {
    const size_t step = static_cast<size_t>(std::lround(kLoudnessBlockStepSeconds * sampleRate));
    const size_t steps = audio.frames / step;
    // Power of each 100 ms step, summed over both channels; a block is four steps.
    std::vector<double> stepPower(steps, 0.0);
    for (const float* channel : {audio.left, audio.right}) {
        auto filters = kWeighting(sampleRate);
        for (size_t s = 0; s < steps; ++s) {
            double sum = 0.0;
            for (size_t i = s * step; i < (s + 1) * step; ++i) {
                const double y = filters[1].process(filters[0].process(channel[i]));
                sum += y * y;
            }
            stepPower[s] += sum;
        }
    }
    std::vector<double> blocks;
    for (size_t s = 0; s + kStepsPerBlock <= steps; ++s) {
        double sum = 0.0;
        for (int b = 0; b < kStepsPerBlock; ++b) sum += stepPower[s + b];
        blocks.push_back(sum / static_cast<double>(kStepsPerBlock * step));
    }
    return blocks;
}

namespace {

double gatedLoudness(const std::vector<double>& blocks) {
    const auto meanAbove = [&](double gate) {
        double sum = 0.0;
        size_t count = 0;
        for (double power : blocks) {
            if (loudnessOfPower(power) > gate) {
                sum += power;
                ++count;
            }
        }
        return count > 0 ? sum / static_cast<double>(count) : 0.0;
    };
    const double ungated = meanAbove(kAbsoluteGate);
    if (ungated <= 0.0) return -std::numeric_limits<double>::infinity();
    return loudnessOfPower(
        meanAbove(std::max(kAbsoluteGate, loudnessOfPower(ungated) + kRelativeGate)));
}

double loudestOf(const std::vector<double>& blocks) {
    return loudnessOfPower(blocks.empty() ? 0.0 : *std::max_element(blocks.begin(), blocks.end()));
}

}  // namespace

double integratedLoudness(StereoSpan audio, int sampleRate) {
    return gatedLoudness(blockPowers(audio, sampleRate));
}

double momentaryMaxLoudness(StereoSpan audio, int sampleRate) {
    return loudestOf(blockPowers(audio, sampleRate));
}

double truePeak(StereoSpan audio) {
    const double peak = std::max(channelTruePeak(audio.left, audio.frames),
                                 channelTruePeak(audio.right, audio.frames));
    return peak > 0.0 ? 20.0 * std::log10(peak) : -std::numeric_limits<double>::infinity();
}

Loudness measureLoudness(StereoSpan audio, int sampleRate) {
    const std::vector<double> blocks = blockPowers(audio, sampleRate);
    return {gatedLoudness(blocks), loudestOf(blocks), truePeak(audio)};
}
