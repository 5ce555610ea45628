// The same moment gives the same picture on every run and on both of Mesa's OpenGL drivers: its
// llvmpipe, and zink on the lavapipe Vulkan device.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ProcessRun.h"
#include "TestFiles.h"

namespace {
// Moments that together show every effect: the gate (lanterns, fog, the moon, the gates turning),
// the cauldron (fire and smoke), the hall (the shadow, ambient occlusion, the lantern and
// candles) and the facade in the rain.
const int kKeyPoints[] = {1, 20, 69, 86};

std::string onDriver(const std::string& command, bool zink) {
    // Zink's Vulkan loader wants a runtime folder, and says so on every start without one.
    return (zink ? "GALLIUM_DRIVER=zink XDG_RUNTIME_DIR=" + scratchFolder() + " " : "") + command;
}

// Every effect on, small and at two steps a second to keep the smoke's lead short. (At 96 x 64
// and 128 x 80 one of llvmpipe's stalls, a few pixels of the hall's floor that its anisotropic
// filter spends seconds on, turns up at these moments.)
bool capture(const std::string& folder, bool zink) {
    std::string command = std::string(MURKMOOR_CAPTURE) + " --headless --size 160x96 --fps 2";
    for (int key : kKeyPoints) command += " --key " + std::to_string(key);
    const ProcessResult run = runProcess(onDriver(command + " --out " + folder + "/", zink), "");
    EXPECT_EQ(run.exitCode, 0) << (zink ? "zink: " : "llvmpipe: ") << run.err;
    return run.exitCode == 0;
}

struct Compared {
    double mean = -1.0;
    int largest = -1;
    double percentApart = -1.0;  // of pixels more than 8 apart
};

// murkmoor-compare's figures for one key point of two capture folders.
Compared compare(const std::string& a, const std::string& b, int key) {
    char name[32];
    std::snprintf(name, sizeof name, "/keypoint-%02d.png", key);
    const ProcessResult run =
        runProcess(std::string(MURKMOOR_COMPARE) + " " + a + name + " " + b + name, "");
    Compared c;
    EXPECT_EQ(std::sscanf(run.out.c_str(),
                          "mean absolute difference %lf, largest %d, %lf %% of pixels more than 8",
                          &c.mean, &c.largest, &c.percentApart),
              3)
        << run.out << run.err;
    return c;
}
}  // namespace

// Captured twice on llvmpipe with every effect on, a moment gives the same frame to the bit: the
// particles that spawn and the order in which their sprites blend follow the frame, not the
// driver's threads. On zink the frames differ by what float rounding explains: both drivers
// rasterise by the same rules and filter with the same code, and their compilers round a few
// results differently, which moves a channel by a step of 8 bits, by two where a half-float target
// is rounded again; no pixel may move further than that. A pass that failed or drew something
// else (other particles, a missing effect) moves many pixels by far more.
TEST(CaptureDrivers, EveryRunAndBothMesaDriversGiveTheSameFrame) {
    const ProcessResult info =
        runProcess(onDriver(std::string(MURKMOOR_CAPTURE) + " --headless --gl-info", true), "");
    ASSERT_NE(info.out.find("GL renderer: zink"), std::string::npos)
        << "zink is missing (Debian's mesa-vulkan-drivers):\n"
        << info.out << info.err;

    TempDir dir;
    const std::string first = dir.path() + "/llvmpipe", again = dir.path() + "/again",
                      zink = dir.path() + "/zink";
    if (!capture(first, false) || !capture(again, false) || !capture(zink, true)) return;
    for (int key : kKeyPoints) {
        SCOPED_TRACE("key point " + std::to_string(key));
        EXPECT_EQ(compare(first, again, key).largest, 0);
        const Compared drivers = compare(first, zink, key);
        EXPECT_LE(drivers.largest, 2);
        EXPECT_EQ(drivers.percentApart, 0.0);
        EXPECT_LT(drivers.mean, 0.05);
    }
}
