#include <gmock/gmock.h>

#include <cmath>
#include <limits>

#include "EffectTestSupport.h"
#include "Effects/HdrToneMapping.h"
#include "GlTestFixture.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {
class HdrToneMappingTest : public GlTest {};

// 40 x 24: neither side is a multiple of the 16 x 16 work groups.
constexpr int kW = 40;
constexpr int kH = 24;

float luminance(const std::vector<float>& rgba, size_t pixel) {
    return 0.2126f * rgba[pixel * 4] + 0.7152f * rgba[pixel * 4 + 1] +
           0.0722f * rgba[pixel * 4 + 2];
}

// A dim room with a few lamps: luminances from 0.01 to about 40, coloured.
std::vector<float> sceneImage() {
    std::vector<float> rgba(static_cast<size_t>(kW) * kH * 4);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const size_t i = (static_cast<size_t>(y) * kW + x) * 4;
            const float base = 0.01f + 0.3f * static_cast<float>(x * y) / (kW * kH);
            rgba[i] = base * 1.2f;
            rgba[i + 1] = base;
            rgba[i + 2] = base * 0.8f;
            rgba[i + 3] = 1.0f;
        }
    }
    const int lamps[3][2] = {{5, 5}, {30, 20}, {39, 23}};
    for (const auto& lamp : lamps) {
        const size_t i = (static_cast<size_t>(lamp[1]) * kW + lamp[0]) * 4;
        rgba[i] = 40.0f;
        rgba[i + 1] = 35.0f;
        rgba[i + 2] = 20.0f;
    }
    return rgba;
}

struct Frame {
    std::vector<float> output;
    std::vector<float> bright;
};

Frame runToneMapping(HdrToneMapping& hdr, const std::vector<float>& rgba) {
    const GLuint scene = makeRgbaTexture(kW, kH, rgba);
    const GLuint bright = makeRgbaTexture(kW, kH, {});
    hdr.render(scene, scene, bright);
    return Frame{readTextureRgba(scene, kW, kH), readTextureRgba(bright, kW, kH)};
}
}  // namespace

TEST_F(HdrToneMappingTest, LuminanceWordsMatchTheStatisticsOfTheImage) {
    const GLuint scene = makeRgbaTexture(kW, kH, sceneImage());
    // The statistics of what the texture holds, after rounding to half floats.
    const std::vector<float> stored = readTextureRgba(scene, kW, kH);
    double logSum = 0.0;
    float peak = 0.0f;
    for (size_t p = 0; p < static_cast<size_t>(kW) * kH; ++p) {
        logSum += std::log(1.0 + luminance(stored, p));
        peak = std::max(peak, luminance(stored, p));
    }

    HdrToneMapping hdr(kW, kH);
    EXPECT_EQ(hdr.groupsX, 3u);
    EXPECT_EQ(hdr.groupsY, 2u);
    const GLuint bright = makeRgbaTexture(kW, kH, {});
    hdr.render(scene, scene, bright);

    // Each of the 6 groups rounds its sum once to 1/16.
    EXPECT_NEAR(hdr.lumSum, logSum, 6 * 0.5 / 16 + 1e-3);
    EXPECT_NEAR(hdr.targetMaxLum, peak, 0.5 / 16 + 1e-3);
    EXPECT_NEAR(hdr.refLum, peak, 0.5 / 16 + 1e-3);
    EXPECT_NEAR(hdr.lumAvg, std::exp(hdr.lumSum / (kW * kH)), 1e-6);

    // The buffer is zero again for the next frame.
    GLuint words[3] = {1, 1, 1};
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, hdr.lumBuffer);
    glGetBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, sizeof(words), words);
    EXPECT_EQ(words[0], 0u);
    EXPECT_EQ(words[1], 0u);
    EXPECT_EQ(words[2], 0u);
}

TEST_F(HdrToneMappingTest, DimFrameLogSumIsNotLostToFixedPointRounding) {
    // ln(1.02) x 16 is about 0.3: rounded pixel by pixel it would add nothing at all.
    std::vector<float> rgba(static_cast<size_t>(kW) * kH * 4, 0.02f);
    const GLuint scene = makeRgbaTexture(kW, kH, rgba);
    const float stored = readTextureRgba(scene, kW, kH)[0];
    HdrToneMapping hdr(kW, kH);
    const GLuint bright = makeRgbaTexture(kW, kH, {});
    hdr.render(scene, scene, bright);
    EXPECT_NEAR(hdr.lumSum, kW * kH * std::log(1.0 + stored), 6 * 0.5 / 16 + 1e-2);
}

// A window of tens of millions of bright pixels fills the 32-bit sum word: it stops at its
// largest value instead of wrapping round to a small sum, which would read as a dark frame. The
// word starts near its top here, as if most of such a frame had already been added.
TEST_F(HdrToneMappingTest, LogSumStopsAtTheLargestWordInsteadOfWrapping) {
    const std::vector<float> rgba(static_cast<size_t>(kW) * kH * 4, 1000.0f);
    HdrToneMapping hdr(kW, kH);
    const GLuint nearlyFull = 0xFFFFFFFFu - 1000u;  // less than one group adds
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, hdr.lumBuffer);
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, sizeof(nearlyFull), &nearlyFull);
    runToneMapping(hdr, rgba);
    EXPECT_FLOAT_EQ(hdr.lumSum, static_cast<float>(0xFFFFFFFFu) / 16.0f);

    // The next frame starts from zero again and sums normally.
    runToneMapping(hdr, rgba);
    EXPECT_NEAR(hdr.lumSum, kW * kH * std::log(1.0 + 1000.0), 1.0);
}

TEST_F(HdrToneMappingTest, ExposureKeyStaysBetweenATenthAndOnePointSix) {
    double previous = 0.0;
    for (double lum = 0.0; lum < 1e7; lum = lum * 1.5 + 0.01) {
        const double key = HdrToneMapping::exposureKey(lum);
        EXPECT_GE(key, 0.1) << lum;
        EXPECT_LT(key, 1.6) << lum;
        EXPECT_GE(key, previous) << lum;
        previous = key;
    }
    EXPECT_GT(previous, 1.55);
}

TEST_F(HdrToneMappingTest, AdaptationBlendsAndJumpsAfterAStall) {
    HdrToneMapping hdr(kW, kH);
    hdr.targetMaxLum = 10.0f;
    hdr.adaptedMaxLum = 2.0f;
    hdr.adapt(0.5f);  // a quarter of the way
    EXPECT_FLOAT_EQ(hdr.adaptedMaxLum, 4.0f);
    hdr.adapt(1.0f);  // half of what is left
    EXPECT_FLOAT_EQ(hdr.adaptedMaxLum, 7.0f);
    hdr.adapt(2.5f);  // a stalled frame: no overshoot past the target
    EXPECT_FLOAT_EQ(hdr.adaptedMaxLum, 10.0f);
    hdr.targetMaxLum = 1.0f;
    hdr.adapt(2.0f);  // exactly the adaptation time: still a blend, which arrives
    EXPECT_FLOAT_EQ(hdr.adaptedMaxLum, 1.0f);
}

TEST_F(HdrToneMappingTest, EveryModeGivesFiniteDisplayValuesAndOnlyBrightPartsGlow) {
    std::vector<float> rgba = sceneImage();
    // Hostile pixels: huge, infinite, NaN and negative.
    const float inf = std::numeric_limits<float>::infinity();
    const float hostile[4][3] = {{60000.0f, 60000.0f, 60000.0f},
                                 {inf, 1.0f, 1.0f},
                                 {std::nanf(""), 0.5f, 0.5f},
                                 {-5.0f, 0.2f, 0.2f}};
    for (int k = 0; k < 4; ++k) {
        for (int c = 0; c < 3; ++c) rgba[static_cast<size_t>(k) * 4 + c] = hostile[k][c];
    }

    // Modes 0, 1 (first with the adapted maximum still 0, then adapted) and 2.
    std::vector<Frame> frames;
    float adapted = 0.0f;
    std::string out = printedBy([&] {
        HdrToneMapping hdr(kW, kH);
        for (GLuint mode = 0; mode < 3; ++mode) {
            hdr.mode = mode;
            frames.push_back(runToneMapping(hdr, rgba));
            if (mode == 1) {
                hdr.adapt(0.1f);
                frames.push_back(runToneMapping(hdr, rgba));
            }
        }
        adapted = hdr.adaptedMaxLum;
    });
    EXPECT_THAT(out, Not(HasSubstr("Uniform does not exist: ")));
    EXPECT_GT(adapted, 0.0f);

    for (size_t f = 0; f < frames.size(); ++f) {
        const Frame& result = frames[f];
        for (size_t i = 0; i < result.output.size(); ++i) {
            ASSERT_TRUE(std::isfinite(result.output[i])) << f << " " << i;
            ASSERT_GE(result.output[i], 0.0f) << f << " " << i;
            ASSERT_LE(result.output[i], 1.0f) << f << " " << i;
            ASSERT_TRUE(std::isfinite(result.bright[i])) << f << " " << i;
        }
        // The room's pixels below the threshold must not glow.
        for (size_t p = 4; p < static_cast<size_t>(kW) * kH; ++p) {
            if (luminance(result.output, p) <= 0.85f) {
                ASSERT_EQ(result.bright[p * 4], 0.0f) << f << " " << p;
            }
        }
        // The lamps are the brightest part; the curves that map them to white make them glow
        // ("DRAGO MODIFIED" keeps lamps this much brighter than the room just below white).
        const size_t lamp = static_cast<size_t>(20) * kW + 30;
        EXPECT_GT(luminance(result.output, lamp), 0.7f) << f;
        if (f < 3) {
            EXPECT_GT(result.bright[lamp * 4], 0.0f) << f;
        }
        // Neither blown out nor black, the first "DRAGO" frame included.
        double mean = 0.0;
        for (size_t p = 4; p < static_cast<size_t>(kW) * kH; ++p)
            mean += luminance(result.output, p);
        mean /= kW * kH - 4;
        EXPECT_GT(mean, 0.02) << f;
        EXPECT_LT(mean, 0.7) << f;
    }
}

TEST_F(HdrToneMappingTest, EveryModeKeepsTheOrderOfBrightnessAndShowsTheDarks) {
    // A grey ramp over four decades: the mapping must be monotonic, must not crush the dark end to
    // black and must not leave the whole picture dim.
    std::vector<float> rgba(static_cast<size_t>(kW) * kH * 4, 1.0f);
    for (size_t p = 0; p < static_cast<size_t>(kW) * kH; ++p) {
        const float v = 0.005f * std::pow(10.0f, 4.0f * p / (kW * kH));
        for (int c = 0; c < 3; ++c) rgba[p * 4 + c] = v;
    }
    HdrToneMapping hdr(kW, kH);
    for (GLuint mode = 0; mode < 3; ++mode) {
        hdr.mode = mode;
        hdr.adaptedMaxLum = 0.0f;
        runToneMapping(hdr, rgba);
        hdr.adapt(3.0f);
        const Frame result = runToneMapping(hdr, rgba);
        for (size_t p = 1; p < static_cast<size_t>(kW) * kH; ++p) {
            ASSERT_GE(result.output[p * 4 + 1] + 1e-3f, result.output[(p - 1) * 4 + 1])
                << mode << " " << p;
        }
        const size_t quarter = static_cast<size_t>(kW) * kH / 4;
        // 0.05 in the scene: linear exposure darkens it most, the logarithmic curves lift it.
        EXPECT_GT(result.output[quarter * 4 + 1], mode == 0 ? 0.005f : 0.02f) << mode;
        EXPECT_GT(result.output[(kW * kH - 1) * 4 + 1], 0.75f) << mode;
    }
}
