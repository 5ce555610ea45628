#pragma once

#include <map>
#include <string>

// The benchmark's figures that the page "How a frame is made" quotes: one configuration of one run
// of murkmoor-bench's JSON.
struct BenchFigures {
    int width = 0;
    int height = 0;
    std::string device;
    std::string method;
    std::map<std::string, double> passMs;  // by the passes' names; only the passes that ran
    double frameMs = 0.0;
    double overlayDrawMs = -1.0;  // the overlay's draw alone (--overlay); below 0 when not measured
};

// Reads the "all on" configuration of the first run. False with the reason in error.
bool readBenchFigures(const std::string& json, BenchFigures& figures, std::string& error);

// Fills the page's template: "{{ms NAME}}" becomes the pass's milliseconds ("12.3 ms", or "not
// run" for a pass that the configuration does not run), "{{frame ms}}" the whole frame's,
// "{{passes ms}}" the passes' sum, "{{overlay ms}}" the overlay's draw ("not measured" without it)
// and "{{bench}}" where the figures come from; "{{NAME}}" for a NAME of `facts` its value. An
// unknown placeholder or pass name is an error.
bool fillFramePage(const std::string& page, const BenchFigures& figures,
                   const std::map<std::string, std::string>& facts, std::string& filled,
                   std::string& error);
