#include "CaptureOptions.h"

#include <cmath>
#include <cstdio>

#include "OptionValues.h"

namespace {
bool parseVec3(const std::string& text, glm::vec3& value) {
    return std::sscanf(text.c_str(), "%f,%f,%f", &value.x, &value.y, &value.z) == 3 &&
           std::isfinite(value.x) && std::isfinite(value.y) && std::isfinite(value.z);
}
}  // namespace

bool parseCaptureOptions(int argc, const char* const* argv, CaptureOptions& options,
                         std::string& error) {
    bool hasLook = false;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (i + 1 >= argc) {
            error = "missing value after " + flag;
            return false;
        }
        const std::string value = argv[++i];
        bool ok = true;
        if (flag == "--size") {
            ok = parseSize(value, 1, 16384, options.width, options.height);
        } else if (flag == "--time") {
            ok = parseNumber(value, options.time) && options.time >= 0.0;
        } else if (flag == "--fps") {
            ok = parseNumber(value, options.fps) && options.fps > 0.0;
        } else if (flag == "--warmup") {
            ok = parseNumber(value, options.warmup) && options.warmup >= 0.0;
        } else if (flag == "--out") {
            options.out = value;
        } else if (flag == "--eye") {
            ok = parseVec3(value, options.eye);
            options.placeCamera = true;
        } else if (flag == "--look") {
            ok = parseVec3(value, options.look);
            hasLook = true;
        } else if (flag == "--set") {
            const size_t equals = value.find('=');
            double number = 0.0;
            ok = equals != std::string::npos && parseNumber(value.substr(equals + 1), number);
            if (ok) options.switches.emplace_back(value.substr(0, equals), static_cast<int>(number));
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
