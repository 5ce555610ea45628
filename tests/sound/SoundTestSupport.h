#pragma once

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "Globals.h"
#include "SoundEngine.h"
#include "TestFiles.h"

constexpr double kTestPi = 3.14159265358979323846;

// The mixer is one per process and the process-wide engine holds it from before main; a test that
// makes its own engine (often with another output driver) hands that one back first.
inline void releaseProcessEngine() {
    if (soundEngine) soundEngine->drop();
    soundEngine = nullptr;
}

// Makes an engine on the named SDL output driver, after releasing the process-wide one.
inline SoundEngine* engineOnDriver(const char* driver) {
    releaseProcessEngine();
    setenv("SDL_AUDIODRIVER", driver, 1);
    return createSoundEngine(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, "1.6.0");
}

inline std::string temporaryPath(const std::string& name) {
    return scratchFolder() + "/" + std::to_string(getpid()) + "-" + name;
}

inline void putLe(std::ofstream& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Writes a 16-bit stereo 44.1 kHz WAV file holding a sine tone.
inline void writeToneWav(const std::string& path, double frequency, double seconds,
                         double amplitude = 0.4) {
    const uint32_t frames = static_cast<uint32_t>(seconds * 44100.0);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    putLe(out, 36 + frames * 4, 4);
    out.write("WAVEfmt ", 8);
    putLe(out, 16, 4);
    putLe(out, 1, 2);
    putLe(out, 2, 2);
    putLe(out, 44100, 4);
    putLe(out, 44100 * 4, 4);
    putLe(out, 4, 2);
    putLe(out, 16, 2);
    out.write("data", 4);
    putLe(out, frames * 4, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        const double value = amplitude * std::sin(2.0 * kTestPi * frequency * i / 44100.0);
        const auto sample = static_cast<int16_t>(std::lround(value * 32767.0));
        putLe(out, static_cast<uint16_t>(sample), 2);
        putLe(out, static_cast<uint16_t>(sample), 2);
    }
}

// Reads what SDL's disk output driver wrote: raw interleaved 16-bit stereo.
inline std::vector<int16_t> readRawSamples(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
    }
    return samples;
}

// Mean power of one frequency in the left channel over frames [begin, end) (Goertzel), for a full
// scale sine about 0.25.
inline double tonePower(const std::vector<int16_t>& stereo, size_t begin, size_t end,
                        double frequency) {
    const double coefficient = 2.0 * std::cos(2.0 * kTestPi * frequency / 44100.0);
    double s1 = 0.0, s2 = 0.0;
    for (size_t i = begin; i < end; ++i) {
        const double s0 = stereo[2 * i] / 32768.0 + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double n = static_cast<double>(end - begin);
    return (s1 * s1 + s2 * s2 - coefficient * s1 * s2) / (n * n);
}
