// murkmoor-assetgen ROOT: writes every generated image and the house model below ROOT/res.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "scene/HouseModel.h"
#include "sky/SkyCubeMap.h"
#include "sprites/ParticleSprites.h"
#include "textures/MaterialLibrary.h"
#include "title/LoadingCard.h"

namespace {
// Runs independent jobs on two threads; each job writes its own files, so the order in which they
// finish does not change any output.
void runJobs(const std::vector<std::function<void()>>& jobs) {
    std::atomic<size_t> nextJob{0};
    auto worker = [&] {
        for (size_t i = nextJob++; i < jobs.size(); i = nextJob++) {
            const auto t0 = std::chrono::steady_clock::now();
            jobs[i]();
            const std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
            if (std::getenv("ASSETGEN_TIMING"))
                std::fprintf(stderr, "job %zu: %.2f s\n", i, d.count());
        }
    };
    std::thread helper(worker);
    worker();
    helper.join();
}
}  // namespace

int main(int argc, char** argv) {
    const bool help =
        argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
    if (argc != 2 || help) {
        std::fprintf(help ? stdout : stderr,
                     "usage: murkmoor-assetgen ROOT\n"
                     "Generates every asset of the scene into ROOT/res: the house model, its\n"
                     "textures, the sky, the particle sprites and the loading card.\n");
        return help ? 0 : 2;
    }
    const std::string root = argv[1];
    const auto start = std::chrono::steady_clock::now();

    // The slowest jobs first, so that the two threads finish together.
    std::vector<std::function<void()>> jobs;
    jobs.push_back([&] { writeHouseModel(root); });
    for (int face = 0; face < 6; ++face)
        jobs.push_back([&, face] { writeSkyFace(root, face, 1024); });
    jobs.push_back([&] { writeParticleSprites(root, 128); });
    jobs.push_back([&] { writeLoadingCard(root, 1280, 720); });
    for (const MaterialInfo& material : materialLibrary()) {
        jobs.push_back([&root, &material] { writeMaterialTextures(root, material); });
    }
    runJobs(jobs);

    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("murkmoor-assetgen: wrote %s/res in %.1f s\n", root.c_str(), elapsed.count());
    return 0;
}
