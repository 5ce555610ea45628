#include "VideoOptions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "OptionValues.h"
#include "OutputPath.h"

namespace {
constexpr double kMaxFps = 240.0;
constexpr int kMaxSide = 8192;
}  // namespace

bool parseVideoOptions(int argc, const char* const* argv, VideoOptions& options,
                       std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (isHelpFlag(flag)) {
            options.help = true;
            return true;
        }
        if (flag == "--headless") {
            options.headless = true;
            continue;
        }
        if (flag != "--from" && flag != "--to" && flag != "--size" && flag != "--out" &&
            flag != "--fps" && flag != "--path" && flag != "--set" && flag != "--warmup") {
            error = "unknown option " + flag;
            return false;
        }
        if (i + 1 >= argc) {
            error = "missing value after " + flag;
            return false;
        }
        const std::string value = argv[++i];
        bool ok = true;
        if (flag == "--from") {
            ok = parseNumberIn(value, 0.0, kLongestFlightSeconds, options.from);
        } else if (flag == "--to") {
            ok = parseNumberIn(value, 0.0, kLongestFlightSeconds, options.to) && options.to > 0.0;
            options.hasTo = true;
        } else if (flag == "--size") {
            ok = parseSize(value, 1, kMaxSide, options.width, options.height);
            if (ok && (options.width % 2 != 0 || options.height % 2 != 0)) {
                error = "--size " + value + ": width and height must be even for H.264 (4:2:0)";
                return false;
            }
        } else if (flag == "--fps") {
            ok = parseNumberIn(value, 1.0, kMaxFps, options.fps);
        } else if (flag == "--warmup") {
            ok = parseNumberIn(value, 0.0, kLongestFlightSeconds, options.warmup);
        } else if (flag == "--settings") {
            ok = !value.empty();
            options.settingsFile = value;
        } else if (flag == "--set") {
            SwitchSetting setting;
            if (!parseSwitchSetting(value, setting, error)) return false;
            options.switches.emplace_back(setting.name, setting.value);
        } else {
            ok = !value.empty();
            (flag == "--path" ? options.pathFile : options.out) = value;
        }
        if (!ok) {
            error = "bad value for " + flag + ": " + value;
            return false;
        }
    }
    if (options.hasTo && options.to <= options.from) {
        error = "--to must come after --from";
        return false;
    }
    return true;
}

bool resolveVideoRange(VideoOptions& options, double flightSeconds, std::string& error) {
    if (options.out.empty()) options.out = std::string(kOutputFolder) + "/murkmoor.mp4";
    char text[160];
    if (!options.hasTo) {
        if (options.from >= flightSeconds) {
            std::snprintf(text, sizeof text,
                          "--from %g is past the end of the flight (%.1f s); give --to as well "
                          "to film the last key point longer",
                          options.from, flightSeconds);
            error = text;
            return false;
        }
        options.to = flightSeconds;
    }
    if (frameCount(options) < 1) {
        std::snprintf(text, sizeof text, "the range %g to %g s holds no frame at %g fps",
                      options.from, options.to, options.fps);
        error = text;
        return false;
    }
    return true;
}

long stepsBefore(const VideoOptions& options) {
    return std::lround(options.from * options.fps);
}

long frameCount(const VideoOptions& options) {
    return std::lround(options.to * options.fps) - stepsBefore(options);
}
