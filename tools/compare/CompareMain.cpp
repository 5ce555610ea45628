// Compares two captures of one moment, e.g. a GPU's frame with llvmpipe's, and draws them side
// by side with their difference.
#include <cstdio>
#include <string>

#include "FrameComparison.h"

namespace {
// Each step of difference shows eight times brighter in the third panel.
constexpr int kDifferenceGain = 8;

int usage(std::FILE* to, int status) {
    std::fprintf(to,
                 "usage: murkmoor-compare REFERENCE.png OTHER.png [--side-by-side OUT.png]\n"
                 "  prints the mean absolute difference (0-255 per channel), the largest, and\n"
                 "  the share of pixels more than 8 apart; OUT.png shows both frames and their\n"
                 "  difference amplified %d times\n",
                 kDifferenceGain);
    return status;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        return usage(stdout, 0);
    }
    if (argc != 3 && !(argc == 5 && std::string(argv[3]) == "--side-by-side")) {
        return usage(stderr, 2);
    }
    RgbImage images[2];
    for (int i = 0; i < 2; ++i) {
        if (!loadRgbImage(argv[1 + i], images[i])) {
            std::fprintf(stderr, "murkmoor-compare: cannot read %s\n", argv[1 + i]);
            return 1;
        }
    }
    FrameDifference difference;
    std::string error;
    if (!compareFrames(images[0], images[1], difference, error)) {
        std::fprintf(stderr, "murkmoor-compare: %s\n", error.c_str());
        return 1;
    }
    std::printf("mean absolute difference %.3f, largest %d, %.2f %% of pixels more than 8 apart\n",
                difference.meanAbsolute, difference.largest, difference.share * 100.0);
    if (argc == 5 && !saveRgbImage(argv[4], sideBySide(images[0], images[1], kDifferenceGain))) {
        std::fprintf(stderr, "murkmoor-compare: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
