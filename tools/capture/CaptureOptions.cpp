#include "CaptureOptions.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "CameraPath.h"
#include "FlightTimeline.h"
#include "OptionValues.h"
#include "OutputPath.h"

namespace {
constexpr double kMaxFps = 1000.0;
// Well past any path; the tool checks the number against the path it flies.
constexpr int kMostKeyPoints = 100000;
// Far outside the scene, yet well inside a float.
constexpr double kFarthestCoordinate = 1.0e6;

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
}  // namespace

bool parseCaptureOptions(int argc, const char* const* argv, CaptureOptions& options,
                         std::string& error) {
    bool hasLook = false;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (isHelpFlag(flag)) {
            options.help = true;
            return true;
        }
        if (flag == "--events") {
            options.events = true;
            continue;
        }
        if (flag == "--headless" || flag == "--gl-info") {
            (flag == "--headless" ? options.headless : options.glInfo) = true;
            continue;
        }
        if (flag == "--overlay" || flag == "--show-path") {
            (flag == "--overlay" ? options.overlay : options.showPath) = true;
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
            CaptureMoment moment;
            ok = parseNumberIn(value, 0.0, kLongestFlightSeconds, moment.time);
            options.moments.push_back(moment);
        } else if (flag == "--key") {
            CaptureMoment moment;
            ok = parseWholeNumber(value, 0, kMostKeyPoints, moment.keyPoint);
            options.moments.push_back(moment);
        } else if (flag == "--fps") {
            ok = parseNumberIn(value, 1.0, kMaxFps, options.fps);
        } else if (flag == "--warmup") {
            ok = parseNumberIn(value, 0.0, kLongestFlightSeconds, options.warmup);
        } else if (flag == "--out") {
            ok = !value.empty();
            options.out = value;
        } else if (flag == "--sheet") {
            ok = !value.empty();
            options.sheet = value;
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
        } else if (flag == "--settings") {
            ok = !value.empty();
            options.settingsFile = value;
        } else if (flag == "--set") {
            SwitchSetting setting;
            if (!parseSwitchSetting(value, setting, error)) return false;
            options.switches.emplace_back(setting.name, setting.value);
        } else {
            error = "unknown option " + flag;
            return false;
        }
        if (!ok) {
            error = "bad value for " + flag + ": " + value;
            return false;
        }
    }
    if (options.placeCamera != hasLook) {
        error = "--eye and --look go together";
        return false;
    }
    return true;
}

bool capturesIntoFolder(const CaptureOptions& options) {
    const std::string& out = options.out;
    return out.empty() || options.moments.size() > 1 || options.events || out.back() == '/' ||
           std::filesystem::is_directory(out);
}

std::string captureFileName(const CaptureOptions& options, const CaptureMoment& moment) {
    if (!capturesIntoFolder(options)) return options.out;
    char name[64];
    if (moment.keyPoint >= 0) {
        std::snprintf(name, sizeof name, "keypoint-%02d", moment.keyPoint);
    } else {
        std::snprintf(name, sizeof name, "%s-%gs", options.placeCamera ? "view" : "frame",
                      moment.time);
    }
    // A view, the overlay or the path is in the name, so that it does not overwrite the plain
    // frame.
    std::string file = name;
    if (options.view != TargetView::Final) file += std::string("-") + viewName(options.view);
    if (options.overlay) file += "-overlay";
    if (options.showPath) file += "-path";
    std::string folder = options.out.empty() ? std::string(kOutputFolder) : options.out;
    if (folder.back() != '/') folder += '/';
    return folder + file + ".png";
}

bool resolveMoments(CaptureOptions& options, const std::vector<KeyPoint>& keyPoints,
                    std::string& error) {
    for (size_t i = 0; options.events && i < keyPoints.size(); ++i) {
        if (CameraPath::firesEvent(keyPoints[i]) || i + 1 == keyPoints.size()) {
            options.moments.push_back({0.0, static_cast<int>(i)});
        }
    }
    if (options.moments.empty()) options.moments.push_back({});
    const FlightTimeline timeline = traceFlight(options.fps, keyPoints);
    const auto& arrivals = timeline.keyPointArrivals;
    for (CaptureMoment& moment : options.moments) {
        if (moment.keyPoint < 0) continue;
        if (static_cast<size_t>(moment.keyPoint) >= arrivals.size()) {
            error = "no key point " + std::to_string(moment.keyPoint) + ": the path has " +
                    std::to_string(arrivals.size()) + ", numbered from 0";
            return false;
        }
        moment.time = arrivals[moment.keyPoint];
    }
    std::stable_sort(
        options.moments.begin(), options.moments.end(),
        [](const CaptureMoment& a, const CaptureMoment& b) { return a.time < b.time; });
    const auto same = [](const CaptureMoment& a, const CaptureMoment& b) {
        return a.time == b.time && a.keyPoint == b.keyPoint;
    };
    options.moments.erase(std::unique(options.moments.begin(), options.moments.end(), same),
                          options.moments.end());
    return true;
}
