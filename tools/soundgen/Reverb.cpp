#include "Reverb.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

// Delay lengths in samples at 44.1 kHz, mutually prime-ish so the echoes do not pile up.
constexpr std::array<int, 8> kCombLengths = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<int, 4> kAllPassLengths = {556, 441, 341, 225};
constexpr int kStereoSpread = 23;
constexpr float kInputGain = 0.015f;
constexpr float kAllPassFeedback = 0.5f;

class Comb {
public:
    Comb(int length, float feedback, float damping)
        : buffer_(static_cast<size_t>(length), 0.0f), feedback_(feedback), damping_(damping) {}
    float process(float x) {
        const float out = buffer_[index_];
        store_ = out * (1.0f - damping_) + store_ * damping_;
        buffer_[index_] = x + store_ * feedback_;
        if (++index_ == buffer_.size()) index_ = 0;
        return out;
    }

private:
    std::vector<float> buffer_;
    size_t index_ = 0;
    float store_ = 0.0f;
    float feedback_;
    float damping_;
};

class AllPass {
public:
    explicit AllPass(int length) : buffer_(static_cast<size_t>(length), 0.0f) {}
    float process(float x) {
        const float delayed = buffer_[index_];
        buffer_[index_] = x + delayed * kAllPassFeedback;
        if (++index_ == buffer_.size()) index_ = 0;
        return delayed - x;
    }

private:
    std::vector<float> buffer_;
    size_t index_ = 0;
};

// The tail of one channel for the given mono input.
Mono reverbTail(const Mono& input, const ReverbSettings& settings, int spread) {
    const float feedback = static_cast<float>(0.7 + 0.28 * settings.roomSize);
    const float damping = static_cast<float>(0.4 * settings.damping);
    std::vector<Comb> combs;
    for (int length : kCombLengths) {
        combs.emplace_back(static_cast<int>(std::lround((length + spread) * settings.scale)),
                           feedback, damping);
    }
    std::vector<AllPass> allPasses;
    for (int length : kAllPassLengths) {
        allPasses.emplace_back(static_cast<int>(std::lround((length + spread) * settings.scale)));
    }
    const size_t delay = framesFor(settings.preDelay);
    Mono out(input.size(), 0.0f);
    for (size_t i = 0; i < input.size(); ++i) {
        const float x = i >= delay ? input[i - delay] * kInputGain : 0.0f;
        float sum = 0.0f;
        for (Comb& comb : combs) sum += comb.process(x);
        for (AllPass& allPass : allPasses) sum = allPass.process(sum);
        out[i] = sum;
    }
    return out;
}

}  // namespace

void applyReverb(Stereo& audio, const ReverbSettings& settings) {
    Mono mono(audio.frames());
    for (size_t i = 0; i < audio.frames(); ++i) mono[i] = audio.left[i] + audio.right[i];
    const Mono left = reverbTail(mono, settings, 0);
    const Mono right = reverbTail(mono, settings, kStereoSpread);
    // Freeverb's wet scaling: width mixes the two tails into each other.
    const float wet = static_cast<float>(settings.wet * 3.0);
    const float wet1 = wet * static_cast<float>(settings.width / 2.0 + 0.5);
    const float wet2 = wet * static_cast<float>((1.0 - settings.width) / 2.0);
    const float dry = static_cast<float>(settings.dry);
    for (size_t i = 0; i < audio.frames(); ++i) {
        audio.left[i] = audio.left[i] * dry + left[i] * wet1 + right[i] * wet2;
        audio.right[i] = audio.right[i] * dry + right[i] * wet1 + left[i] * wet2;
    }
}
