#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

#include "PassProfiler.h"

// The figures of one switch configuration at one size, averaged over the measured frames.
struct BenchResult {
    std::string config;
    std::array<double, kPassCount> passMs{};
    std::array<bool, kPassCount> passRan{};
    double updateCpuMs = 0.0;
    double renderCpuMs = 0.0;
    double frameMs = 0.0;
    double fps() const { return frameMs > 0.0 ? 1000.0 / frameMs : 0.0; }
};

// With --overlay: medians of frames of one moment drawn again with the overlay hidden and shown in
// turn, and of the overlay's draw alone.
struct OverlayCost {
    bool measured = false;
    double hiddenMs = 0.0;
    double shownMs = 0.0;
    double drawMs = 0.0;
    int samples = 0;  // of each
};

struct BenchRun {
    int width = 0;
    int height = 0;
    std::string device;     // the GL renderer string
    std::string glVersion;  // the GL version string, which names the driver
    std::string context;    // hidden window or the EGL platform
    std::string method;     // how the passes were timed
    std::vector<BenchResult> results;
    OverlayCost overlay;
};

// A table: one row per pass and figure, one column per configuration.
void printBenchTable(std::ostream& out, const BenchRun& run);
void writeBenchJson(std::ostream& out, const std::vector<BenchRun>& runs);
