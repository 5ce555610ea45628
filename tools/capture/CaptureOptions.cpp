#include "CaptureOptions.h"

#include <string>

#include "OptionValues.h"

namespace {
constexpr double kMaxFps = 1000.0;
// Well past any path; the tool checks the number against the path it flies.
constexpr int kMostKeyPoints = 100000;
// Far outside the scene, yet well inside a float.
constexpr double kFarthestCoordinate = 1.0e6;

struct SwitchRange {
    const char* name;
    int largest;  // every switch starts at 0 (off)
};

const SwitchRange kSwitches[] = {
    {"doShadows", 1}, {"hdrMode", 3}, {"bloomMode", 2}, {"doFog", 1},    {"doAmbientOcclusion", 1},
    {"doSmoke", 1},   {"doFire", 1},  {"doRain", 1},    {"specular", 1}, {"normal", 1}};

// Three numbers separated by commas, each within the scene's reach, e.g. "1.5,2,-3".
bool parseVec3(const std::string& text, glm::vec3& value) {
    const size_t first = text.find(',');
    const size_t second = first == std::string::npos ? first : text.find(',', first + 1);
    if (second == std::string::npos) return false;
    const std::string parts[3] = {text.substr(0, first), text.substr(first + 1, second - first - 1),
                                  text.substr(second + 1)};
    double numbers[3];
    for (int i = 0; i < 3; ++i) {
        if (!parseNumberIn(parts[i], -kFarthestCoordinate, kFarthestCoordinate, numbers[i]))
            return false;
    }
    value = glm::vec3(numbers[0], numbers[1], numbers[2]);
    return true;
}

// "NAME=VALUE" with a known switch and a whole value within its range.
bool parseSwitch(const std::string& text, CaptureOptions& options, std::string& error) {
    const size_t equals = text.find('=');
    const std::string name = text.substr(0, equals);
    for (const SwitchRange& range : kSwitches) {
        if (name != range.name) continue;
        int value = 0;
        if (equals == std::string::npos ||
            !parseWholeNumber(text.substr(equals + 1), 0, range.largest, value)) {
            error = "bad value for --set: " + text + " (" + name + " takes 0 to " +
                    std::to_string(range.largest) + ")";
            return false;
        }
        options.switches.emplace_back(name, value);
        return true;
    }
    error = "unknown switch " + name;
    return false;
}
}  // namespace

bool parseCaptureOptions(int argc, const char* const* argv, CaptureOptions& options,
                         std::string& error) {
    bool hasLook = false;
    bool hasTime = false;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--headless" || flag == "--gl-info") {
            (flag == "--headless" ? options.headless : options.glInfo) = true;
            continue;
        }
        if (flag == "--overlay") {
            options.overlay = true;
            continue;
        }
        if (i + 1 >= argc) {
            error = "missing value after " + flag;
            return false;
        }
        const std::string value = argv[++i];
        bool ok = true;
        if (flag == "--size") {
            ok = parseSize(value, 1, 16384, options.width, options.height);
        } else if (flag == "--time") {
            ok = parseNumberIn(value, 0.0, kLongestFlightSeconds, options.time);
            hasTime = true;
        } else if (flag == "--key") {
            ok = parseWholeNumber(value, 0, kMostKeyPoints, options.keyPoint);
        } else if (flag == "--fps") {
            ok = parseNumberIn(value, 1.0, kMaxFps, options.fps);
        } else if (flag == "--warmup") {
            ok = parseNumberIn(value, 0.0, kLongestFlightSeconds, options.warmup);
        } else if (flag == "--out") {
            options.out = value;
        } else if (flag == "--path") {
            ok = !value.empty();
            options.pathFile = value;
        } else if (flag == "--eye") {
            ok = parseVec3(value, options.eye);
            options.placeCamera = true;
        } else if (flag == "--look") {
            ok = parseVec3(value, options.look);
            hasLook = true;
        } else if (flag == "--view") {
            ok = viewByName(value, options.view);
        } else if (flag == "--set") {
            if (!parseSwitch(value, options, error)) return false;
        } else {
            error = "unknown option " + flag;
            return false;
        }
        if (!ok) {
            error = "bad value for " + flag + ": " + value;
            return false;
        }
    }
    if (hasTime && options.keyPoint >= 0) {
        error = "--time and --key name two moments: give one";
        return false;
    }
    if (options.placeCamera != hasLook) {
        error = "--eye and --look go together";
        return false;
    }
    return true;
}
