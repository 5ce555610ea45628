#include <gtest/gtest.h>

#include "FrameComparison.h"
#include "ProcessRun.h"
#include "TestFiles.h"

namespace {
RgbImage solid(int width, int height, uint8_t value) {
    return {width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3, value)};
}
}  // namespace

// The figures of a GPU frame against llvmpipe's: a mean over every channel, the largest step and
// the share of pixels that differ visibly (a step of filtering is not counted); frames of
// different sizes are refused; the sheet puts the reference left, the other in the middle and
// their amplified difference right, row by row.
TEST(FrameComparison, FiguresSizesAndTheSideBySideSheet) {
    const RgbImage reference = solid(4, 2, 100);
    RgbImage other = reference;
    other.pixels[0] = 160;  // one channel of the top-left pixel, visibly
    other.pixels[5] = 103;  // one channel of the next pixel, by filtering
    FrameDifference d;
    std::string error;
    ASSERT_TRUE(compareFrames(reference, other, d, error)) << error;
    EXPECT_DOUBLE_EQ(d.meanAbsolute, 63.0 / 24.0);
    EXPECT_EQ(d.largest, 60);
    EXPECT_DOUBLE_EQ(d.share, 1.0 / 8.0);

    EXPECT_FALSE(compareFrames(reference, solid(2, 4, 100), d, error));
    EXPECT_NE(error.find("4x2 and 2x4"), std::string::npos) << error;

    const RgbImage sheet = sideBySide(reference, other, 8);
    ASSERT_EQ(sheet.width, 12);
    ASSERT_EQ(sheet.height, 2);
    const auto at = [&](int x, int y, int c) { return sheet.pixels[(y * 12 + x) * 3 + c]; };
    EXPECT_EQ(at(0, 0, 0), 100);
    EXPECT_EQ(at(4, 0, 0), 160);
    EXPECT_EQ(at(8, 0, 0), 255);  // 60 amplified, clamped
    EXPECT_EQ(at(9, 0, 2), 24);   // 3 amplified
    EXPECT_EQ(at(8, 1, 0), 0);    // the second row agrees
    EXPECT_EQ(at(4, 1, 1), 100);
}

// The exit status says whether two frames match, as cmp's does: 0 when equal or within the limits
// given (a step per channel, a share of pixels beyond it), 1 when they differ, 2 on trouble.
TEST(FrameComparison, TheExitStatusSaysWhetherTheFramesMatch) {
    TempDir dir;
    const RgbImage reference = solid(4, 2, 100);
    RgbImage other = reference;
    other.pixels[0] = 103;  // one pixel of eight, three steps apart
    const std::string a = dir.path() + "/a.png", b = dir.path() + "/b.png",
                      small = dir.path() + "/small.png";
    ASSERT_TRUE(saveRgbImage(a, reference) && saveRgbImage(b, other) &&
                saveRgbImage(small, solid(2, 2, 100)));
    const std::string compare = std::string(MURKMOOR_COMPARE) + " ";
    const struct {
        std::string arguments;
        int status;
    } cases[] = {
        {a + " " + a, 0},
        {a + " " + b, 1},
        {a + " " + b + " --max-step 3", 0},
        {a + " " + b + " --max-step 2", 1},
        {"--max-share 12.5 " + a + " " + b, 0},
        {a + " " + b + " --max-share 12.4", 1},
        {a + " " + small, 2},
        {a + " " + dir.path() + "/missing.png", 2},
        {a + " " + b + " --max-step 256", 2},
        {a + " " + b + " --side-by-side " + dir.path() + "/no/such/folder.png", 2},
    };
    for (const auto& c : cases) {
        const ProcessResult run = runProcess(compare + c.arguments, "");
        EXPECT_EQ(run.exitCode, c.status) << c.arguments << "\n" << run.err;
    }
}
