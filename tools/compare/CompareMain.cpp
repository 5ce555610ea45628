// Compares two captures of one moment, e.g. a GPU's frame with llvmpipe's, and draws them side
// by side with their difference. Its exit status says whether they match, as cmp's does.
#include <cstdio>
#include <string>

#include "FileReplacement.h"
#include "FrameComparison.h"
#include "Interruption.h"
#include "OptionValues.h"

namespace {
// Each step of difference shows eight times brighter in the third panel.
constexpr int kDifferenceGain = 8;
// The exit statuses, as cmp has them.
constexpr int kSame = 0;
constexpr int kDiffer = 1;
constexpr int kTrouble = 2;

void usage(std::FILE* to) {
    std::fprintf(
        to,
        "usage: murkmoor-compare REFERENCE.png OTHER.png [--max-step N] [--max-share P]\n"
        "                        [--side-by-side OUT.png]\n"
        "Prints the mean absolute difference of two frames (0-255 per channel), the largest,\n"
        "and the share of pixels more than 8 apart. Exits with 0 when the frames match, 1 when\n"
        "they differ, 2 on trouble (a file that cannot be read or written, frames of different\n"
        "sizes, a bad option). Without limits, frames match only when they are equal.\n"
        "  --max-step N            a channel up to N apart counts as equal, 0 to 255 (0)\n"
        "  --max-share P           up to P %% of the pixels may be further apart than that (0)\n"
        "  --side-by-side OUT.png  both frames and their difference amplified %d times\n",
        kDifferenceGain);
}

struct CompareOptions {
    std::string files[2];
    std::string sideBySide;
    FrameLimits limits;
    bool help = false;
};

bool parseOptions(int argc, char** argv, CompareOptions& options, std::string& error) {
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (isHelpFlag(argument)) {
            options.help = true;
            return true;
        }
        if (argument.rfind("--", 0) != 0) {
            if (files == 2) {
                error = "two frames at most: " + argument;
                return false;
            }
            options.files[files++] = argument;
            continue;
        }
        if (i + 1 >= argc) {
            error = "missing value after " + argument;
            return false;
        }
        const std::string value = argv[++i];
        bool ok = !value.empty();
        if (argument == "--max-step") {
            ok = parseWholeNumber(value, 0, 255, options.limits.maxStep);
        } else if (argument == "--max-share") {
            ok = parseNumberIn(value, 0.0, 100.0, options.limits.maxSharePercent);
        } else if (argument == "--side-by-side") {
            options.sideBySide = value;
        } else {
            error = "unknown option " + argument;
            return false;
        }
        if (!ok) {
            error = "bad value for " + argument + ": " + value;
            return false;
        }
    }
    if (files < 2) error = "two frames to compare";
    return files == 2;
}
}  // namespace

int main(int argc, char** argv) {
    CompareOptions options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "murkmoor-compare: %s\n", error.c_str());
        usage(stderr);
        return kTrouble;
    }
    if (options.help) {
        usage(stdout);
        return kSame;
    }
    stopCleanlyOnInterrupt("murkmoor-compare");
    RgbImage images[2];
    for (int i = 0; i < 2; ++i) {
        if (!loadRgbImage(options.files[i], images[i])) {
            std::fprintf(stderr, "murkmoor-compare: cannot read %s\n", options.files[i].c_str());
            return kTrouble;
        }
    }
    FrameDifference difference;
    if (!compareFrames(images[0], images[1], difference, error)) {
        std::fprintf(stderr, "murkmoor-compare: %s\n", error.c_str());
        return kTrouble;
    }
    std::printf("mean absolute difference %.3f, largest %d, %.2f %% of pixels more than 8 apart\n",
                difference.meanAbsolute, difference.largest, difference.share * 100.0);
    if (!options.sideBySide.empty()) {
        const RgbImage sheet = sideBySide(images[0], images[1], kDifferenceGain);
        const auto write = [&](const std::string& file) { return saveRgbImage(file, sheet); };
        if (!writeFileReplacing(options.sideBySide, write, error)) {
            std::fprintf(stderr, "murkmoor-compare: %s\n", error.c_str());
            return kTrouble;
        }
    }
    return withinLimits(images[0], images[1], options.limits) ? kSame : kDiffer;
}
