#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Globals.h"
#include "ProcessRun.h"
#include "SoundEngine.h"
#include "TestFiles.h"

// The mixer is one per process and the process-wide engine holds it from before main; a test that
// makes its own engine (often with another output driver) hands that one back first.
inline SoundEngine* engineOnDriver(const char* driver) {
    if (soundEngine) soundEngine->drop();
    soundEngine = nullptr;
    setenv("SDL_AUDIODRIVER", driver, 1);
    return createSoundEngine(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, "1.6.0");
}

// An engine writing its output to a file through SDL's disk driver, which waits a millisecond
// between buffers instead of their length: seconds of sound pass in a fraction of one.
class FastDiskOutput {
public:
    FastDiskOutput() : path_(dir_.path() + "/output.raw") {
        setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "1", 1);
        engine_.reset(engineOnDriver("disk"));
    }
    SoundEngine* engine() { return engine_.get(); }
    size_t framesWritten() const { return std::filesystem::file_size(path_) / 4; }
    // Waits until the output has played the given number of frames more.
    bool play(size_t frames) const {
        const size_t until = framesWritten() + frames;
        return waitUntil([&] { return framesWritten() >= until; }, 30.0);
    }
    // Closes the device and returns everything it played, interleaved 16-bit stereo.
    std::vector<int16_t> finish() {
        engine_.reset();
        const std::string bytes = readFile(path_);
        std::vector<int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

private:
    TempDir dir_;
    std::string path_;
    std::unique_ptr<SoundEngine> engine_;
};

// Writes name.wav into the folder, a 16-bit stereo 44.1 kHz sine tone, and returns its path.
inline std::string toneWav(const TempDir& dir, const std::string& name, double frequency,
                           double seconds) {
    const std::string path = dir.path() + "/" + name + ".wav";
    const std::string wave = "0.3*sin(2*PI*" + std::to_string(frequency) + "*t)";
    const std::string source = wave + "|" + wave + ":s=44100:d=" + std::to_string(seconds);
    EXPECT_EQ(
        runProcess("ffmpeg -v error -f lavfi -i 'aevalsrc=" + source + "' " + path, "").exitCode,
        0);
    return path;
}

// Mean power of one frequency in the left channel over frames [begin, end): about a quarter of
// the square of a sine's amplitude.
inline double tonePower(const std::vector<int16_t>& stereo, size_t begin, size_t end,
                        double frequency) {
    std::complex<double> sum = 0.0;
    for (size_t i = begin; i < end; ++i)
        sum += std::polar(stereo[2 * i] / 32768.0, 2.0 * M_PI * frequency * i / 44100.0);
    return std::norm(sum) / std::pow(static_cast<double>(end - begin), 2.0);
}
