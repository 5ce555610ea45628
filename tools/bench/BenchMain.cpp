// Flies the path in fixed steps and reports what each pass of the frame costs, with every effect
// on and with each effect off in turn.
#include <GL/glew.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "BenchOptions.h"
#include "BenchReport.h"
#include "FileReplacement.h"
#include "Globals.h"
#include "Interruption.h"
#include "OutputFrame.h"
#include "Progress.h"
#include "ToolContext.h"
#include "ToolRenderer.h"

// Records nothing: a recorded path in the working folder, maybe the one being flown, stays.
const char* const keyPointFileName = nullptr;

namespace {
const float kStep = 1.0f / 30.0f;

void usage(std::FILE* to) {
    std::fprintf(to,
                 "usage: murkmoor-bench [--size WxH]... [--json FILE] [--spots N] [--warmup S]\n"
                 "                      [--overlay] [--headless] [--help]\n"
                 "Times every pass of the frame with every effect on and with each effect off,\n"
                 "at moments spread along the flight.\n"
                 "  --size WxH   a size to measure at; each adds one (1280x768 and 640x384)\n"
                 "  --json FILE  also write the figures as JSON\n"
                 "  --spots N    moments of the flight measured, 1 to 100 (6)\n"
                 "  --warmup S   seconds of simulation before each moment, 0 to 60 (1)\n"
                 "  --overlay    also time the on-screen overlay at each moment\n"
                 "  --headless   EGL with no window system, even where there is a display\n");
}

struct Config {
    const char* name;
    const char* switchName;  // null: every effect on
};

const Config kConfigs[] = {
    {"all on", nullptr},     {"-shadows", "doShadows"}, {"-tonemap", "hdrMode"},
    {"-bloom", "bloomMode"}, {"-fog", "doFog"},         {"-ssao", "doAmbientOcclusion"},
    {"-smoke", "doSmoke"},   {"-fire", "doFire"},       {"-rain", "doRain"}};

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1.0e6;
}

double wallMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

float flightSeconds(const CameraPath& path) {
    float length = 0.0f;
    for (size_t i = 1; i < path.m_keyPoints.size(); ++i) {
        length += glm::length(path.m_keyPoints[i].position - path.m_keyPoints[i - 1].position);
    }
    return length / path.speed;
}

// Advances the flight without drawing; the simulations run only when asked to.
void advance(float seconds, bool simulate) {
    int* const simulations[3] = {&renderer.doSmoke, &renderer.doFire, &renderer.doRain};
    int saved[3];
    for (int i = 0; i < 3; ++i) saved[i] = *simulations[i];
    if (!simulate) {
        for (int* value : simulations) *value = 0;
    }
    for (float t = 0.0f; t < seconds; t += kStep) renderer.update(kStep);
    for (int i = 0; i < 3; ++i) *simulations[i] = saved[i];
}

// The overlay's cost at a moment: the same frame drawn again (nothing moves between the draws)
// with the overlay hidden and shown in turn, and the overlay's draw alone, each between two
// glFinish calls. Interleaved, so that both sides see the same conditions.
constexpr int kOverlayPairs = 4;

struct OverlaySamples {
    std::vector<double> hiddenMs;
    std::vector<double> shownMs;
    std::vector<double> drawMs;
};

void measureOverlay(OverlaySamples& samples) {
    for (int i = 0; i < kOverlayPairs; ++i) {
        for (std::vector<double>* side : {&samples.hiddenMs, &samples.shownMs}) {
            overlay.visible = side == &samples.shownMs;
            glFinish();
            const double start = wallMs();
            renderer.render();
            glFinish();
            side->push_back(wallMs() - start);
        }
        glFinish();
        const double start = wallMs();
        overlay.draw(renderer);
        glFinish();
        samples.drawMs.push_back(wallMs() - start);
    }
    overlay.visible = false;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

struct Totals {
    BenchResult result;
    int profiled = 0;
    int timed = 0;
};

void measureConfig(const Config& config, PassProfiler& profiler, Totals& totals) {
    if (config.switchName) renderer.setSwitch(config.switchName, 0);
    renderer.update(kStep);  // one frame in the new state before anything is measured
    renderer.render();

    renderer.profiler = &profiler;
    profiler.reset();
    renderer.update(kStep);
    renderer.render();
    profiler.endFrame();
    renderer.profiler = nullptr;
    for (int pass = 0; pass < kPassCount; ++pass) {
        if (profiler.framesWith(static_cast<Pass>(pass)) == 0) continue;
        totals.result.passMs[pass] += profiler.meanMs(static_cast<Pass>(pass));
        totals.result.passRan[pass] = true;
    }
    ++totals.profiled;

    for (int frame = 0; frame < 2; ++frame) {
        glFinish();
        const double wallStart = wallMs();
        const double cpuStart = threadCpuMs();
        renderer.update(kStep);
        const double cpuUpdated = threadCpuMs();
        renderer.render();
        const double cpuRendered = threadCpuMs();
        glFinish();
        totals.result.frameMs += wallMs() - wallStart;
        totals.result.updateCpuMs += cpuUpdated - cpuStart;
        totals.result.renderCpuMs += cpuRendered - cpuUpdated;
        ++totals.timed;
    }
    if (config.switchName) renderer.setSwitch(config.switchName, 1);
}

BenchRun runAtSize(int width, int height, int spots, float warmUpSeconds, bool withOverlay,
                   ProgressLine& progress) {
    BenchRun run;
    run.width = width;
    run.height = height;
    run.device = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    run.glVersion = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    PassProfiler profiler(PassProfiler::methodForDriver(run.device.c_str()));
    run.method = profiler.method() == PassProfiler::Method::WallClock
                     ? "wall clock with glFinish around each pass (software renderer)"
                     : "GL timer queries";

    std::vector<Totals> totals(std::size(kConfigs));
    OverlaySamples overlaySamples;
    const float flight = flightSeconds(renderer.cameraPath);
    float now = 0.0f;
    for (int spot = 0; spot < spots; ++spot) {
        const float at = flight * (spot + 0.5f) / spots;
        advance(std::max(0.0f, at - warmUpSeconds - now), false);
        advance(std::min(warmUpSeconds, at - now), true);
        now = at;
        for (size_t c = 0; c < std::size(kConfigs); ++c) {
            char text[160];
            std::snprintf(text, sizeof text,
                          "Measuring %d x %d: moment %d of %d (%.0f s of %.0f s), %s (%zu of %zu)",
                          width, height, spot + 1, spots, at, flight, kConfigs[c].name, c + 1,
                          std::size(kConfigs));
            progress.show(text);
            measureConfig(kConfigs[c], profiler, totals[c]);
        }
        if (withOverlay) measureOverlay(overlaySamples);
        now += kStep * 4 * std::size(kConfigs);
    }
    for (size_t c = 0; c < std::size(kConfigs); ++c) {
        BenchResult result = totals[c].result;
        result.config = kConfigs[c].name;
        for (double& ms : result.passMs) ms /= totals[c].profiled;
        result.frameMs /= totals[c].timed;
        result.updateCpuMs /= totals[c].timed;
        result.renderCpuMs /= totals[c].timed;
        run.results.push_back(result);
    }
    if (withOverlay) {
        run.overlay = {true, median(overlaySamples.hiddenMs), median(overlaySamples.shownMs),
                       median(overlaySamples.drawMs),
                       static_cast<int>(overlaySamples.drawMs.size())};
    }
    return run;
}

// Set in the environment of a run started for one of several sizes.
constexpr const char* kChildVariable = "MURKMOOR_BENCH_ONE_OF_SEVERAL_SIZES";

// The renderer keeps the size it was set up with, so each further size runs in a process of its
// own; the runs' JSON comes back through a file. False when the run failed; status is its exit
// status.
bool runChild(const char* self, std::pair<int, int> size, const BenchOptions& options,
              std::string& json, int& status) {
    const char* tmp = std::getenv("TMPDIR");
    const std::string file = std::string(tmp && *tmp ? tmp : "/tmp") + "/murkmoor-bench-" +
                             std::to_string(getpid()) + ".json";
    // The child's file is the parent's business: kChildVariable keeps it from saying it wrote it.
    const std::string command =
        std::string(kChildVariable) + "=1 '" + self + "' --size " + std::to_string(size.first) +
        "x" + std::to_string(size.second) + " --spots " + std::to_string(options.spots) +
        " --warmup " + std::to_string(options.warmUpSeconds) + " --json '" + file + "'" +
        (options.headless ? " --headless" : "") + (options.overlay ? " --overlay" : "");
    const int result = std::system(command.c_str());
    // Ctrl-C ends the run with 130, and may end the shell between with the signal itself.
    status = WIFEXITED(result)     ? WEXITSTATUS(result)
             : WIFSIGNALED(result) ? 128 + WTERMSIG(result)
                                   : 1;
    if (status != 0) return false;
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    std::remove(file.c_str());
    const std::string all = text.str();
    const size_t begin = all.find("[\n");
    const size_t end = all.rfind("\n  ]");
    if (begin == std::string::npos || end == std::string::npos) return false;
    json = all.substr(begin + 2, end - begin - 2);
    return true;
}
// Writes the figures and, when asked to, says so. The exit status.
int writeJson(FileReplacement& file, const std::string& text, bool say) {
    std::string error = "cannot write " + file.target();
    if (!writeTextFile(file.temporary(), text) || !file.commit(error)) {
        std::fprintf(stderr, "murkmoor-bench: %s\n", error.c_str());
        return 1;
    }
    if (say) std::printf("Wrote %s\n", file.target().c_str());
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    BenchOptions options;
    std::string error;
    if (!parseBenchOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "murkmoor-bench: %s\n", error.c_str());
        usage(stderr);
        return 2;
    }
    if (options.help) {
        usage(stdout);
        return 0;
    }
    // A run for one of several sizes leaves it to the run that started it to speak.
    const bool oneOfSeveral = std::getenv(kChildVariable) != nullptr;
    stopCleanlyOnInterrupt(oneOfSeveral ? nullptr : "murkmoor-bench");
    std::unique_ptr<FileReplacement> json;
    if (!options.json.empty()) json = std::make_unique<FileReplacement>(options.json);
    if (options.sizes.size() > 1) {
        std::string runs;
        for (const auto& size : options.sizes) {
            std::string run;
            int status = 0;
            if (!runChild(argv[0], size, options, run, status)) {
                // The run was stopped with Ctrl-C, which std::system kept from this process; its
                // progress line is still open.
                if (interruptedStatus(status)) {
                    noteProgressLineOpen(true);
                    raise(status - 128);
                }
                return 1;
            }
            runs += (runs.empty() ? "" : ",\n") + run;
        }
        if (json) return writeJson(*json, "{\n  \"runs\": [\n" + runs + "\n  ]\n}\n", true);
        return 0;
    }

    const auto [width, height] = options.sizes.front();
    ToolContext context;
    if (!openToolContext(width, height, "Murkmoor bench", options.headless, context, error)) {
        std::fprintf(stderr, "murkmoor-bench: %s\n", error.c_str());
        return 1;
    }
    // The progress goes to standard error: standard output is the table's. The frames go to a
    // framebuffer of the tool's own, not to the hidden window, whose pixels a driver need not draw.
    ProgressLine progress(stderr);
    OutputFrame output;
    if (!setUpToolRenderer(width, height, output, progress, error)) {
        progress.end();
        closeToolContext(context);
        std::fprintf(stderr, "murkmoor-bench: %s\n", error.c_str());
        return 1;
    }
    BenchRun run = runAtSize(width, height, options.spots,
                             static_cast<float>(options.warmUpSeconds), options.overlay, progress);
    run.context = contextKind(context);
    progress.show("Measured " + std::to_string(width) + " x " + std::to_string(height) + " in " +
                  durationText(progress.seconds()));
    progress.end();
    closeToolContext(context);
    if (!sceneComplete(error)) {
        std::fprintf(stderr, "murkmoor-bench: %s\n", error.c_str());
        return 1;
    }
    printBenchTable(std::cout, run);
    if (!json) return 0;
    std::ostringstream text;
    writeBenchJson(text, {run});
    return writeJson(*json, text.str(), !oneOfSeveral);
}
