#include "Piano.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Filters.h"
#include "Random.h"

namespace {

constexpr double kHighestPartial = 9000.0;
constexpr int kMostPartials = 48;
constexpr double kSilent = 2e-5;  // components quieter than this are dropped
constexpr int kBlock = 64;        // samples between checks for dropping components

// Components in structure-of-arrays form: each is a decaying phasor z advanced by w per sample, so
// the inner loop is a complex multiply that the compiler vectorises across components.
struct Components {
    std::vector<double> re, im, wr, wi, rate, frequency;

    size_t size() const { return re.size(); }
    void add(double amplitude, double phase, double frequencyHz, double decayPerSecond) {
        re.push_back(amplitude * std::cos(phase));
        im.push_back(amplitude * std::sin(phase));
        frequency.push_back(frequencyHz);
        rate.push_back(decayPerSecond);
        wr.push_back(0.0);
        wi.push_back(0.0);
        setStep(size() - 1);
    }
    void setStep(size_t k) {
        const double radius = std::exp(-rate[k] / kSampleRate);
        const double angle = kTwoPi * frequency[k] / kSampleRate;
        wr[k] = radius * std::cos(angle);
        wi[k] = radius * std::sin(angle);
    }
    void remove(size_t k) {
        for (auto* field : {&re, &im, &wr, &wi, &rate, &frequency}) {
            (*field)[k] = field->back();
            field->pop_back();
        }
    }
};

double keyFrequency(int key) {
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

// Stiffness grows from the wound bass strings to the short treble ones.
double inharmonicity(int key) {
    return 7e-5 * std::exp(0.045 * (key - 21));
}

// Seconds for the fundamental to fall by 60 dB with the damper up.
double fundamentalDecayTime(double frequency) {
    return std::clamp(22.0 * std::pow(frequency / 55.0, -0.7), 1.2, 24.0);
}

double decayRate(double decayTime) {
    return std::log(1000.0) / decayTime;
}

Components stringPartials(const PianoNote& note, Random& random) {
    const double f0 = keyFrequency(note.key);
    const double b = inharmonicity(note.key);
    const double velocity = note.velocity;
    const double strikePoint = 1.0 / 7.0 + random.range(-0.006, 0.006);
    // A harder blow leaves the felt stiffer for the short contact: more upper partials.
    const double slope = 1.25 - 0.55 * velocity;
    const double brightness = 900.0 + 4200.0 * std::pow(velocity, 1.4);
    const double t60 = fundamentalDecayTime(f0);
    const double detune = random.range(0.35, 1.1) * 0.000578;  // 0.35 to 1.1 cents

    Components partials;
    double energy = 0.0;
    for (int n = 1; n <= kMostPartials; ++n) {
        const double fn = n * f0 * std::sqrt(1.0 + b * n * n);
        if (fn > kHighestPartial) break;
        const double rolloff = 1.0 / (1.0 + std::pow(fn / brightness, 2.0));
        // The soundboard radiates the lowest fundamentals poorly.
        const double radiation = fn / (fn + 90.0);
        const double amplitude =
            std::fabs(std::sin(kPi * n * strikePoint)) * std::pow(n, -slope) * rolloff * radiation;
        energy += amplitude * amplitude;
        const double partialTime = t60 / (1.0 + (fn - f0) / 700.0 + 0.015 * n * n / 4.0);
        const double slowRate = decayRate(partialTime);
        const double fastRate = decayRate(partialTime * 0.22);
        const double phase = random.range(0.0, kTwoPi);
        // The prompt sound and the aftersound.
        partials.add(0.72 * amplitude, phase, fn * (1.0 + detune / 2.0), fastRate);
        partials.add(0.28 * amplitude, phase + 0.3, fn * (1.0 - detune / 2.0), slowRate);
    }
    // Equal loudness across the keyboard for the same velocity, then the velocity's own loudness.
    const double level = std::pow(velocity, 1.6) / std::sqrt(std::max(energy, 1e-12));
    for (size_t k = 0; k < partials.size(); ++k) {
        partials.re[k] *= level;
        partials.im[k] *= level;
    }
    return partials;
}

// Runs the components over [begin, end) of out, adding their imaginary parts.
void runComponents(Components& c, Mono& out, size_t begin, size_t end) {
    for (size_t block = begin; block < end && c.size() > 0; block += kBlock) {
        const size_t blockEnd = std::min(end, block + kBlock);
        const size_t count = c.size();
        double* re = c.re.data();
        double* im = c.im.data();
        const double* wr = c.wr.data();
        const double* wi = c.wi.data();
        for (size_t i = block; i < blockEnd; ++i) {
            double sum0 = 0.0, sum1 = 0.0;
            size_t k = 0;
            for (; k + 1 < count; k += 2) {
                const double r0 = re[k] * wr[k] - im[k] * wi[k];
                const double i0 = re[k] * wi[k] + im[k] * wr[k];
                const double r1 = re[k + 1] * wr[k + 1] - im[k + 1] * wi[k + 1];
                const double i1 = re[k + 1] * wi[k + 1] + im[k + 1] * wr[k + 1];
                re[k] = r0;
                im[k] = i0;
                re[k + 1] = r1;
                im[k + 1] = i1;
                sum0 += i0;
                sum1 += i1;
            }
            if (k < count) {
                const double r0 = re[k] * wr[k] - im[k] * wi[k];
                im[k] = re[k] * wi[k] + im[k] * wr[k];
                re[k] = r0;
                sum0 += im[k];
            }
            out[i] += static_cast<float>(sum0 + sum1);
        }
        for (size_t k = c.size(); k-- > 0;) {
            if (c.re[k] * c.re[k] + c.im[k] * c.im[k] < kSilent * kSilent) c.remove(k);
        }
    }
}

// The felt hitting the string: a short filtered noise burst, louder and brighter when harder.
void addHammerKnock(const PianoNote& note, Mono& out, Random& random) {
    const double f0 = keyFrequency(note.key);
    Biquad body = Biquad::bandPass(std::clamp(f0 * 3.0, 300.0, 3500.0), 0.9);
    Biquad thump = Biquad::lowPass(180.0);
    const double gain = 0.035 * std::pow(note.velocity, 2.0);
    const size_t length = std::min(out.size(), framesFor(0.04));
    for (size_t i = 0; i < length; ++i) {
        const double t = secondsOf(i);
        const float noise = random.bipolar();
        const double knock = body.process(noise) * std::exp(-t / 0.006);
        const double low = thump.process(noise) * std::exp(-t / 0.012) * 2.0;
        out[i] += static_cast<float>(gain * (knock + low));
    }
}

}  // namespace

void renderPianoNote(const PianoNote& note, Stereo& out, uint64_t seed) {
    Random random(seed);
    Components partials = stringPartials(note, random);

    const double f0 = keyFrequency(note.key);
    const double held = std::max(0.05, note.damped - note.start);
    const double damperTime = std::clamp(0.12 * std::pow(f0 / 130.0, -0.5), 0.05, 0.6);
    const double maximum = held + damperTime * 4.0;
    Mono tone(framesFor(std::min(maximum, 30.0)), 0.0f);

    const size_t release = std::min(tone.size(), framesFor(held));
    runComponents(partials, tone, 0, release);
    for (size_t k = 0; k < partials.size(); ++k) {
        partials.rate[k] = std::max(partials.rate[k], decayRate(damperTime));
        partials.setStep(k);
    }
    runComponents(partials, tone, release, tone.size());
    // The hammer stays on the string for a few milliseconds, longer when it moves slowly.
    const size_t contact = std::min(tone.size(), framesFor(0.0015 + 0.003 * (1.0 - note.velocity)));
    for (size_t i = 0; i < contact; ++i) {
        tone[i] *= static_cast<float>(std::sin(kPi / 2.0 * static_cast<double>(i) / contact));
    }
    addHammerKnock(note, tone, random);

    // Low keys sit left and high keys right, as heard from the bench.
    const float pan = static_cast<float>(std::clamp((note.key - 62) / 45.0, -0.55, 0.55));
    addPanned(out, tone, framesFor(note.start), pan);
}
