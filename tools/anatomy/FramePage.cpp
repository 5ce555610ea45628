#include "FramePage.h"

#include <cstdio>
#include <cstdlib>

#include "PassProfiler.h"

namespace {
// The JSON string that starts at the quote at `at`, its escapes undone; `at` moves past it.
bool readString(const std::string& json, size_t& at, std::string& value) {
    if (at >= json.size() || json[at] != '"') return false;
    value.clear();
    for (++at; at < json.size(); ++at) {
        if (json[at] == '"') {
            ++at;
            return true;
        }
        if (json[at] == '\\' && at + 1 < json.size()) ++at;
        value += json[at];
    }
    return false;
}

bool readNumber(const std::string& json, size_t& at, double& value) {
    const char* start = json.c_str() + at;
    char* end = nullptr;
    value = std::strtod(start, &end);
    if (end == start) return false;
    at += static_cast<size_t>(end - start);
    return true;
}

// Where the value of `"key": ` starts, searching from `from`; npos when there is none.
size_t valueOf(const std::string& json, const std::string& key, size_t from) {
    const std::string pattern = "\"" + key + "\": ";
    const size_t at = json.find(pattern, from);
    return at == std::string::npos ? at : at + pattern.size();
}

bool readRun(const std::string& json, BenchFigures& figures) {
    double width = 0.0;
    double height = 0.0;
    size_t at = valueOf(json, "width", 0);
    if (at == std::string::npos || !readNumber(json, at, width)) return false;
    at = valueOf(json, "height", at);
    if (at == std::string::npos || !readNumber(json, at, height)) return false;
    figures.width = static_cast<int>(width);
    figures.height = static_cast<int>(height);
    at = valueOf(json, "device", at);
    if (at == std::string::npos || !readString(json, at, figures.device)) return false;
    at = valueOf(json, "method", at);
    return at != std::string::npos && readString(json, at, figures.method);
}

bool readPasses(const std::string& json, size_t at, BenchFigures& figures) {
    if (at >= json.size() || json[at] != '{') return false;
    ++at;
    while (at < json.size() && json[at] != '}') {
        std::string name;
        double ms = 0.0;
        if (!readString(json, at, name) || json.compare(at, 2, ": ") != 0) return false;
        at += 2;
        if (!readNumber(json, at, ms)) return false;
        figures.passMs[name] = ms;
        if (json.compare(at, 2, ", ") == 0) at += 2;
    }
    return at < json.size();
}

bool knownPass(const std::string& name) {
    for (int i = 0; i < kPassCount; ++i) {
        if (name == passName(static_cast<Pass>(i))) return true;
    }
    return false;
}

std::string milliseconds(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", ms);
    return text;
}
}  // namespace

bool readBenchFigures(const std::string& json, BenchFigures& figures, std::string& error) {
    figures = BenchFigures();
    const size_t config = json.find("{\"config\": \"all on\"");
    size_t at = config == std::string::npos ? config : valueOf(json, "passesMs", config);
    if (!readRun(json, figures) || at == std::string::npos || !readPasses(json, at, figures)) {
        error = "no benchmark run with an \"all on\" configuration";
        return false;
    }
    at = valueOf(json, "frameMs", at);
    if (at == std::string::npos || !readNumber(json, at, figures.frameMs)) {
        error = "the \"all on\" configuration has no frame time";
        return false;
    }
    // The overlay's figures stand before the configurations, in the same run.
    at = valueOf(json, "drawMs", 0);
    if (at != std::string::npos && at < config) readNumber(json, at, figures.overlayDrawMs);
    return true;
}

bool fillFramePage(const std::string& page, const BenchFigures& figures,
                   const std::map<std::string, std::string>& facts, std::string& filled,
                   std::string& error) {
    filled.clear();
    size_t at = 0;
    for (size_t open; (open = page.find("{{", at)) != std::string::npos;) {
        const size_t close = page.find("}}", open);
        if (close == std::string::npos) {
            error = "a placeholder is not closed: " + page.substr(open, 40);
            return false;
        }
        filled += page.substr(at, open - at);
        const std::string key = page.substr(open + 2, close - open - 2);
        if (key == "bench") {
            filled += std::to_string(figures.width) + " x " + std::to_string(figures.height) +
                      " on " + figures.device + ", every effect on, passes timed by " +
                      figures.method;
        } else if (key == "frame ms") {
            filled += milliseconds(figures.frameMs);
        } else if (key == "passes ms") {
            double sum = 0.0;
            for (const auto& pass : figures.passMs) sum += pass.second;
            filled += milliseconds(sum);
        } else if (key == "overlay ms") {
            filled +=
                figures.overlayDrawMs < 0.0 ? "not measured" : milliseconds(figures.overlayDrawMs);
        } else if (facts.count(key)) {
            filled += facts.at(key);
        } else if (key.rfind("ms ", 0) == 0 && knownPass(key.substr(3))) {
            const auto pass = figures.passMs.find(key.substr(3));
            filled += pass == figures.passMs.end() ? "not run" : milliseconds(pass->second);
        } else {
            error = "unknown placeholder {{" + key + "}}";
            return false;
        }
        at = close + 2;
    }
    filled += page.substr(at);
    return true;
}
