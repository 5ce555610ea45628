#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "EffectTestSupport.h"
#include "Effects/HdrToneMapping.h"
#include "GlTestFixture.h"

namespace {
class HdrToneMappingTest : public GlTest {};

// 40 x 24: neither side is a multiple of the 16 x 16 work groups.
constexpr int kW = 40;
constexpr int kH = 24;
constexpr size_t kPixels = static_cast<size_t>(kW) * kH;

float luminance(const std::vector<float>& rgba, size_t pixel) {
    return 0.2126f * rgba[pixel * 4] + 0.7152f * rgba[pixel * 4 + 1] +
           0.0722f * rgba[pixel * 4 + 2];
}

// A dim room (0.01 to 0.3, coloured) with three lamps of about 36, one in the last pixel.
std::vector<float> roomImage() {
    std::vector<float> rgba(kPixels * 4, 1.0f);
    for (size_t p = 0; p < kPixels; ++p) {
        const float base = 0.01f + 0.3f * static_cast<float>((p % kW) * (p / kW)) / kPixels;
        setRgb(rgba, p, base * 1.2f, base, base * 0.8f);
    }
    for (size_t lamp : {size_t{5 * kW + 5}, size_t{20 * kW + 30}, kPixels - 1})
        setRgb(rgba, lamp, 40, 35, 20);
    return rgba;
}

// One frame of the pass: the tone-mapped image and its bright part.
std::pair<std::vector<float>, std::vector<float>> runToneMapping(HdrToneMapping& hdr,
                                                                 const std::vector<float>& rgba) {
    const GLuint scene = makeRgbaTexture(kW, kH, rgba);
    const GLuint bright = makeRgbaTexture(kW, kH, {});
    hdr.render(scene, scene, bright);
    return {readTextureRgba(scene, kW, kH), readTextureRgba(bright, kW, kH)};
}
}  // namespace

// Catches statistics that miss partial groups, round a dim frame (0.02) to 0, or carry over.
TEST_F(HdrToneMappingTest, LuminanceStatisticsMatchTheImage) {
    HdrToneMapping hdr(kW, kH);
    for (const std::vector<float>& image : {roomImage(), std::vector<float>(kPixels * 4, 0.02f)}) {
        // The statistics of what the texture holds, after rounding to half floats.
        const std::vector<float> stored = readTextureRgba(makeRgbaTexture(kW, kH, image), kW, kH);
        double logSum = 0.0;
        float peak = 0.0f;
        for (size_t p = 0; p < kPixels; ++p) {
            logSum += std::log(1.0 + luminance(stored, p));
            peak = std::max(peak, luminance(stored, p));
        }
        runToneMapping(hdr, image);
        // Each of the 6 groups rounds its sum once to 1/16.
        EXPECT_NEAR(hdr.lumSum, logSum, 6 * 0.5 / 16 + 1e-2) << peak;
        EXPECT_NEAR(hdr.targetMaxLum, peak, 0.5 / 16 + 1e-3);
        EXPECT_NEAR(hdr.refLum, peak, 0.5 / 16 + 1e-3);
    }
}

// Catches a log-sum word that wraps round (a dark frame) once millions of bright pixels fill it.
TEST_F(HdrToneMappingTest, LogSumStopsAtTheLargestWordInsteadOfWrapping) {
    const std::vector<float> rgba(kPixels * 4, 1000.0f);
    HdrToneMapping hdr(kW, kH);
    const GLuint nearlyFull = 0xFFFFFFFFu - 1000u;  // less than one group adds
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, hdr.lumBuffer);
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, sizeof(nearlyFull), &nearlyFull);
    runToneMapping(hdr, rgba);
    EXPECT_FLOAT_EQ(hdr.lumSum, static_cast<float>(0xFFFFFFFFu) / 16.0f);
    runToneMapping(hdr, rgba);  // the next frame starts from zero again
    EXPECT_NEAR(hdr.lumSum, kPixels * std::log(1.0 + 1000.0), 1.0);
}

// Catches adaptation off the elapsed time or past the target, and a key that leaves its range.
TEST_F(HdrToneMappingTest, AdaptationBlendsAndJumpsAfterAStallAndTheKeyRisesWithLuminance) {
    HdrToneMapping hdr(kW, kH);
    hdr.adaptedMaxLum = 2.0f;
    // A quarter of the way, half what is left, a stall, and a blend over exactly the full time.
    const float steps[][3] = {{0.5f, 10, 4}, {1.0f, 10, 7}, {2.5f, 10, 10}, {2.0f, 1, 1}};
    for (const auto& step : steps) {
        hdr.targetMaxLum = step[1];
        hdr.adapt(step[0]);
        EXPECT_FLOAT_EQ(hdr.adaptedMaxLum, step[2]) << step[0];
    }
    double key = 0.0;
    for (double lum = 0.0; lum < 1e7; lum = lum * 1.5 + 0.01) {
        const double previous = key;
        key = HdrToneMapping::exposureKey(lum);
        EXPECT_TRUE(key >= std::max(0.1, previous) && key < 1.6) << lum << " " << key;
    }
    EXPECT_GT(key, 1.55);
}

// Catches a mode that passes hostile pixels, blows out, blacks or glows the room, or crushes darks.
TEST_F(HdrToneMappingTest, EveryModeMapsToDisplayRangeInOrderAndOnlyBrightPartsGlow) {
    std::vector<float> room = roomImage();
    setRgb(room, 0, 60000.0f, 60000.0f, 60000.0f);
    setRgb(room, 1, std::numeric_limits<float>::infinity(), 1.0f, 1.0f);
    setRgb(room, 2, std::nanf(""), 0.5f, 0.5f);
    setRgb(room, 3, -5.0f, 0.2f, 0.2f);
    std::vector<float> ramp(kPixels * 4, 1.0f);
    for (size_t p = 0; p < kPixels; ++p) {
        const float v = 0.005f * std::pow(10.0f, 4.0f * p / kPixels);
        setRgb(ramp, p, v, v, v);
    }
    const size_t lamp = 20 * kW + 30;
    const size_t quarter = kPixels / 4;  // 0.05 in the ramp
    HdrToneMapping hdr(kW, kH);
    for (GLuint mode = 0; mode < 3; ++mode) {
        hdr.mode = mode;
        for (int adapted = 0; adapted < 2; ++adapted) {
            if (adapted) hdr.adapt(3.0f);
            const auto [out, bright] = runToneMapping(hdr, room);
            for (size_t i = 0; i < out.size(); ++i)
                ASSERT_TRUE(out[i] >= 0.0f && out[i] <= 1.0f && std::isfinite(bright[i])) << i;
            double mean = 0.0;
            for (size_t p = 4; p < kPixels; ++p) {
                mean += luminance(out, p) / (kPixels - 4);
                ASSERT_TRUE(luminance(out, p) > 0.85f || bright[p * 4] == 0.0f) << mode << " " << p;
            }
            EXPECT_GT(mean, 0.02) << mode;
            EXPECT_LT(mean, 0.7) << mode;
            EXPECT_GT(luminance(out, lamp), 0.7f) << mode;
            // "DRAGO MODIFIED" keeps the lamps just below white: they do not glow.
            EXPECT_TRUE(mode == 2 || bright[lamp * 4] > 0.0f) << mode;
        }
        hdr.adaptedMaxLum = 0.0f;
        runToneMapping(hdr, ramp);
        hdr.adapt(3.0f);
        const std::vector<float> out = runToneMapping(hdr, ramp).first;
        for (size_t p = 1; p < kPixels; ++p)
            ASSERT_GE(out[p * 4 + 1] + 1e-3f, out[(p - 1) * 4 + 1]) << mode << " " << p;
        // Linear exposure darkens the darks most, the logarithmic curves lift them.
        EXPECT_GT(out[quarter * 4 + 1], mode == 0 ? 0.005f : 0.02f) << mode;
        EXPECT_GT(out[(kPixels - 1) * 4 + 1], 0.75f) << mode;
    }
}

// Catches "LINEAR" lifting a uniformly dark room, just above the dimmest adaptation level, up to
// the key (about 5% brighter) instead of showing it as dark as it is.
TEST_F(HdrToneMappingTest, LinearShowsADarkRoomAsDarkAsItIs) {
    std::vector<float> room(kPixels * 4, 1.0f);
    for (size_t p = 0; p < kPixels; ++p) setRgb(room, p, 0.255f, 0.255f, 0.255f);
    HdrToneMapping hdr(kW, kH);
    const std::vector<float> out = runToneMapping(hdr, room).first;
    for (size_t p = 0; p < kPixels; p += 97) EXPECT_NEAR(luminance(out, p), 0.255f, 0.002f) << p;
}
