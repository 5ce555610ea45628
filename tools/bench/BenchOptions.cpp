#include "BenchOptions.h"

#include <cstdlib>

#include "OptionValues.h"

bool parseBenchOptions(int argc, const char* const* argv, BenchOptions& options,
                       std::string& error) {
    bool sizeGiven = false;
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
        if (flag == "--overlay") {
            options.overlay = true;
            continue;
        }
        if (i + 1 >= argc) {
            error = "missing value after " + flag;
            return false;
        }
        const std::string value = argv[++i];
        if (flag == "--size") {
            int width = 0;
            int height = 0;
            if (!parseSize(value, 16, 8192, width, height)) {
                error = "bad size " + value + " (expected WxH)";
                return false;
            }
            if (!sizeGiven) options.sizes.clear();
            sizeGiven = true;
            options.sizes.emplace_back(width, height);
        } else if (flag == "--json") {
            options.json = value;
        } else if (flag == "--spots") {
            char* end = nullptr;
            const long spots = std::strtol(value.c_str(), &end, 10);
            if (!end || *end != '\0' || spots < 1 || spots > 100) {
                error = "bad number of spots " + value;
                return false;
            }
            options.spots = static_cast<int>(spots);
        } else if (flag == "--warmup") {
            if (!parseNumberIn(value, 0.0, 60.0, options.warmUpSeconds)) {
                error = "bad warm-up " + value + " (expected seconds from 0 to 60)";
                return false;
            }
        } else {
            error = "unknown option " + flag;
            return false;
        }
    }
    return true;
}
