// A capture draws only the frames that its frame depends on, and the smoke only where a drawn
// frame can see it; the frame is what drawing the whole warm-up frame by frame gives, and the
// same whatever moments the run captures before it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameComparison.h"
#include "ProcessRun.h"
#include "TestFiles.h"

namespace {
// Key point 20 looks at the cauldron and its smoke; from key point 69, in the hall, the smoke's
// box is out of view.
const std::vector<int> kCauldronAndHall = {20, 69};
const std::vector<int> kHall = {69};

// Captures the key points in one flight into a folder of their own, every effect on, at two steps
// a second (unless fps says otherwise) to keep the warm-up and the smoke's lead short; false if the
// tool failed.
bool capture(const std::string& folder, const std::vector<int>& keyPoints,
             const std::string& arguments, int fps = 2) {
    std::string keys;
    for (int key : keyPoints) keys += " --key " + std::to_string(key);
    const ProcessResult run =
        runProcess(std::string(MURKMOOR_CAPTURE) + " --headless --size 64x40 --fps " +
                       std::to_string(fps) + keys + " " + arguments + " --out " + folder + "/",
                   "");
    EXPECT_EQ(run.exitCode, 0) << arguments << "\n" << run.err;
    return run.exitCode == 0;
}

FrameDifference difference(const std::string& a, const std::string& b, int key) {
    char name[32];
    std::snprintf(name, sizeof name, "/keypoint-%02d.png", key);
    RgbImage first, second;
    FrameDifference d;
    std::string error;
    if (!loadRgbImage(a + name, first) || !loadRgbImage(b + name, second) ||
        !compareFrames(first, second, d, error)) {
        ADD_FAILURE() << "cannot compare " << a << name << " and " << b << name << " " << error;
        d.largest = 256;
    }
    return d;
}
}  // namespace

// In every tone mapping that measures each frame on itself, and every bloom mode, the frame
// equals, pixel for pixel, the frame whose last two seconds were drawn frame by frame: nothing
// that is drawn survives into the next frame. The smoke is in view at the first row's cauldron,
// with the fire; there the whole warm-up's run first captures the moment half a second before key
// point 20, which sees the smoke too and lies within key point 20's smoke window.
TEST(CaptureWarmUp, TheFrameIsTheOneAWholeWarmUpGivesWhateverCameBefore) {
    const struct {
        const char* switches;
        const std::vector<int>& keyPoints;
    } modes[] = {{"--set hdrMode=1 --set bloomMode=1", kCauldronAndHall},
                 {"--set hdrMode=3 --set bloomMode=2", kHall},
                 {"--set hdrMode=0 --set bloomMode=1", kHall}};
    TempDir dir;
    int run = 0;
    for (const auto& mode : modes) {
        const std::string fast = dir.path() + "/" + std::to_string(run) + "-fast";
        const std::string whole = dir.path() + "/" + std::to_string(run++) + "-whole";
        if (!capture(fast, mode.keyPoints, mode.switches) ||
            !capture(whole, mode.keyPoints,
                     std::string(mode.switches) + " --warmup 2" +
                         (&mode == modes ? " --time 40.5" : ""))) {
            continue;
        }
        for (int key : mode.keyPoints) {
            EXPECT_EQ(difference(fast, whole, key).largest, 0)
                << mode.switches << ", key point " << key;
        }
    }

    // The smoke simulates only for a frame that sees its box: from the hall the frame is the one
    // without smoke, at the cauldron the smoke shows.
    const std::string noSmoke = dir.path() + "/no-smoke";
    if (!capture(noSmoke, kCauldronAndHall, std::string(modes[0].switches) + " --set doSmoke=0")) {
        return;
    }
    const std::string withSmoke = dir.path() + "/0-fast";
    EXPECT_EQ(difference(withSmoke, noSmoke, 69).largest, 0);
    EXPECT_GT(difference(withSmoke, noSmoke, 20).meanAbsolute, 0.1);
}

// "DRAGO" adapts to the frames before: the plan draws enough of them, settled on the first, to
// come within one 8-bit step of the frame drawn every step from far back (whose own adaptation is
// within 0.4 % of its starting gap). At one step a second the adaptation goes half way each
// step; two seconds drawn, as once planned, left a quarter of the gap and frames 25 apart.
TEST(CaptureWarmUp, DragosAdaptationComesWithinAStepOfOneDrawnFromFarBack) {
    TempDir dir;
    const std::string drago = "--set hdrMode=2 --set bloomMode=2";
    const std::string fast = dir.path() + "/fast";
    const std::string farBack = dir.path() + "/far-back";
    if (capture(fast, kHall, drago, 1) && capture(farBack, kHall, drago + " --warmup 10", 1)) {
        EXPECT_LE(difference(fast, farBack, 69).largest, 1);
    }
}
