// Synthesises every sound of the house and writes them as MP3 files below the given directory.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Mp3Encoder.h"
#include "Sounds.h"

namespace {

struct Job {
    const char* path;  // below the output directory
    Stereo (*render)();
    int kilobitsPerSecond;
};

// The long music first, so that the effects fill the other thread meanwhile.
const Job kJobs[] = {
    {"Music/horrorPiano.mp3", renderPianoMusic, 160},
    {"Soundeffects/rain.mp3", renderRain, 160},
    {"Soundeffects/thunder.mp3", renderThunder, 160},
    {"Soundeffects/gate.mp3", renderGate, 160},
    {"Soundeffects/ghost.mp3", renderGhost, 160},
    {"Soundeffects/fire.mp3", renderFire, 160},
    {"Soundeffects/chauldron.mp3", renderCauldron, 160},
    {"Soundeffects/wolf.mp3", renderWolf, 160},
    {"Soundeffects/laugh.mp3", renderLaugh, 160},
    {"Soundeffects/chair.mp3", renderChair, 160},
};
constexpr size_t kJobCount = sizeof(kJobs) / sizeof(kJobs[0]);

}  // namespace

int main(int argc, char** argv) {
    const bool help =
        argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
    if (argc != 2 || help) {
        std::fprintf(help ? stdout : stderr,
                     "usage: murkmoor-soundgen OUTPUT_DIRECTORY\n"
                     "Synthesises the music and every sound effect as MP3 files below\n"
                     "OUTPUT_DIRECTORY (Music/ and Soundeffects/).\n");
        return help ? 0 : 2;
    }
    const std::string directory = argv[1];
    const auto started = std::chrono::steady_clock::now();

    // Each sound has its own seeds, so the bytes do not depend on which thread makes it.
    std::atomic<size_t> nextJob{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
        for (size_t i = nextJob++; i < kJobCount; i = nextJob++) {
            const Job& job = kJobs[i];
            const std::string path = directory + "/" + job.path;
            if (!writeMp3(path, job.render(), job.kilobitsPerSecond)) {
                std::fprintf(stderr, "murkmoor-soundgen: could not write %s\n", path.c_str());
                failed = true;
            }
        }
    };
    const unsigned threads = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
    std::vector<std::thread> workers;
    for (unsigned t = 1; t < threads; ++t) workers.emplace_back(work);
    work();
    for (std::thread& worker : workers) worker.join();

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("murkmoor-soundgen: %zu sounds in %s in %.1f s\n", kJobCount, directory.c_str(),
                seconds);
    return failed ? 1 : 0;
}
