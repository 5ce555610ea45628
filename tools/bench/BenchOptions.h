#pragma once

#include <string>
#include <utility>
#include <vector>

struct BenchOptions {
    // Each --size adds one; without any, these two.
    std::vector<std::pair<int, int>> sizes = {{1280, 768}, {640, 384}};
    std::string json;
    int spots = 6;  // moments of the flight that are measured, spread along it
    // Seconds of simulation run before each spot is measured, so that fire, rain and smoke are
    // in the frame as the flight would have them.
    double warmUpSeconds = 1.0;
    bool headless = false;  // EGL with no window system, even where there is a display
    bool help = false;      // print the usage and stop
    bool overlay = false;   // with --overlay: the overlay's cost is measured at each moment too
};

bool parseBenchOptions(int argc, const char* const* argv, BenchOptions& options,
                       std::string& error);
