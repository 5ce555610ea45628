#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>

#include "EffectTestSupport.h"
#include "Effects/Bloom.h"
#include "Effects/BlurComp.h"
#include "Effects/BlurFrag.h"
#include "GlTestFixture.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {
class BloomTest : public GlTest {};

constexpr int kW = 64;
constexpr int kH = 48;

std::vector<float> impulse(int width, int height, int x, int y, float value) {
    std::vector<float> rgba(static_cast<size_t>(width) * height * 4, 0.0f);
    for (int c = 0; c < 3; ++c) rgba[(static_cast<size_t>(y) * width + x) * 4 + c] = value;
    return rgba;
}

// The 1D response of one blur pass to a unit impulse at `at` on a line of n texels, with the
// edge clamped as the samplers and the compute shaders do: the reference for the GPU result.
std::vector<double> clampedGaussianResponse(int n, int at) {
    std::vector<double> w(7);
    double total = 0.0;
    for (int i = 0; i < 7; ++i) {
        w[i] = std::exp(-i * i / (2.0 * 2.5 * 2.5));
        total += i == 0 ? w[i] : 2.0 * w[i];
    }
    std::vector<double> out(n, 0.0);
    for (int x = 0; x < n; ++x) {
        for (int i = -6; i <= 6; ++i) {
            const int src = std::clamp(x + i, 0, n - 1);
            if (src == at) out[x] += w[std::abs(i)] / total;
        }
    }
    return out;
}
}  // namespace

TEST_F(BloomTest, FragmentBlurSpreadsOneBrightPixelIntoASymmetricHalo) {
    const GLuint input = makeRgbaTexture(kW, kH, impulse(kW, kH, 32, 24, 100.0f));
    std::string out = printedBy([&] {
        BlurFrag blur(kW, kH);
        blur.blur(input);
        EXPECT_EQ(blur.result, blur.targetB->getTexture());
        const std::vector<float> px = readTextureRgba(blur.result, kW, kH);

        const float centre = channel(px, kW, 32, 24, 0);
        EXPECT_GT(centre, 1.0f);
        EXPECT_LT(centre, 100.0f);
        for (int k = 1; k <= 6; ++k) {
            const float right = channel(px, kW, 32 + k, 24, 0);
            EXPECT_GT(right, 0.0f) << k;
            EXPECT_LT(right, channel(px, kW, 32 + k - 1, 24, 0)) << k;
            EXPECT_NEAR(channel(px, kW, 32 - k, 24, 0), right, right * 2e-3f) << k;
            // As tall as it is wide, although the target is not square.
            EXPECT_NEAR(channel(px, kW, 32, 24 + k, 0), right, right * 2e-3f) << k;
            EXPECT_NEAR(channel(px, kW, 32, 24 - k, 0), right, right * 2e-3f) << k;
            EXPECT_NEAR(channel(px, kW, 32 + k, 24 + k, 0), channel(px, kW, 32 - k, 24 - k, 0),
                        right * 2e-3f);
        }
        EXPECT_EQ(channel(px, kW, 32 + 7, 24, 0), 0.0f);
        EXPECT_EQ(channel(px, kW, 32, 24 + 7, 0), 0.0f);
        // The blur moves light, it neither adds nor removes any.
        double total = 0.0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) total += channel(px, kW, x, y, 0);
        EXPECT_NEAR(total, 100.0, 0.3);
    });
    EXPECT_THAT(out, Not(HasSubstr("Uniform does not exist: ")));
}

TEST_F(BloomTest, FragmentBlurOfAFullSizeInputDownsamplesIntoTheHalfSizeTarget) {
    // A uniform full-size image stays uniform, at the same level, in the half-size result.
    std::vector<float> rgba(static_cast<size_t>(2 * kW) * 2 * kH * 4, 0.25f);
    const GLuint input = makeRgbaTexture(2 * kW, 2 * kH, rgba);
    BlurFrag blur(kW, kH);
    blur.blur(input);
    const std::vector<float> px = readTextureRgba(blur.result, kW, kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) ASSERT_NEAR(channel(px, kW, x, y, 1), 0.25f, 1e-3f);
}

TEST_F(BloomTest, ComputeAndFragmentBlursGiveTheSameGlow) {
    // A few bright spots, one touching the edge, blurred five times by each path.
    std::vector<float> rgba(static_cast<size_t>(kW) * kH * 4, 0.0f);
    const int spots[4][2] = {{10, 10}, {40, 30}, {63, 5}, {20, 47}};
    for (const auto& s : spots) {
        for (int c = 0; c < 3; ++c) rgba[(static_cast<size_t>(s[1]) * kW + s[0]) * 4 + c] = 50.0f;
    }
    const GLuint fragInput = makeRgbaTexture(kW, kH, rgba);
    const GLuint image = makeRgbaTexture(kW, kH, rgba);
    const GLuint scratch = makeRgbaTexture(kW, kH, {});

    std::string out = printedBy([&] {
        BlurFrag frag(kW, kH);
        frag.blur(fragInput);
        for (int i = 0; i < 4; ++i) frag.blur(frag.result);

        BlurComp comp(kW, kH);
        for (int i = 0; i < 5; ++i) comp.blur(image, scratch);
        EXPECT_EQ(comp.result, image);

        const std::vector<float> a = readTextureRgba(frag.result, kW, kH);
        const std::vector<float> b = readTextureRgba(comp.result, kW, kH);
        float peak = 0.0f;
        float worst = 0.0f;
        for (size_t i = 0; i < a.size(); i += 4) {
            peak = std::max(peak, a[i]);
            worst = std::max(worst, std::abs(a[i] - b[i]));
        }
        EXPECT_GT(peak, 0.5f);
        EXPECT_LT(worst, peak * 0.01f);
    });
    EXPECT_THAT(out, Not(HasSubstr("Uniform does not exist: ")));
}

TEST_F(BloomTest, ComputeBlurCoversPartialWorkGroupsToTheLastRowAndColumn) {
    // 300 x 260: neither side is a multiple of 256, so both passes end in a partial group.
    const int w = 300;
    const int h = 260;
    const GLuint image = makeRgbaTexture(w, h, impulse(w, h, 296, 257, 1000.0f));
    const GLuint scratch = makeRgbaTexture(w, h, {});
    BlurComp comp(w, h);
    comp.blur(image, scratch);
    const std::vector<float> px = readTextureRgba(image, w, h);

    const std::vector<double> rx = clampedGaussianResponse(w, 296);
    const std::vector<double> ry = clampedGaussianResponse(h, 257);
    for (int y = 250; y < h; ++y) {
        for (int x = 285; x < w; ++x) {
            const double expected = 1000.0 * rx[x] * ry[y];
            ASSERT_NEAR(channel(px, w, x, y, 0), expected, 0.01 + expected * 2e-3)
                << x << ", " << y;
        }
    }
    EXPECT_GT(channel(px, w, w - 1, h - 1, 0), 1.0f);
}

TEST_F(BloomTest, BrightPassKeepsOnlyLightAboveWhite) {
    std::vector<float> rgba = {0.9f, 0.9f, 0.9f, 1.0f,  // just below white
                               4.0f, 2.0f, 1.0f, 1.0f,  // over-bright orange
                               0.0f, 0.0f, 0.0f, 1.0f, 30.0f, 30.0f, 30.0f, 1.0f};
    const GLuint input = makeRgbaTexture(2, 2, rgba);
    const GLuint output = makeRgbaTexture(2, 2, {});
    std::string out = printedBy([&] {
        Bloom bloom(2, 2);
        EXPECT_EQ(bloom.groupsX, 1u);
        bloom.extract(input, output);
    });
    EXPECT_THAT(out, Not(HasSubstr("Uniform does not exist: ")));
    const std::vector<float> px = readTextureRgba(output, 2, 2);
    EXPECT_EQ(px[0], 0.0f);
    EXPECT_EQ(px[8], 0.0f);
    // The orange keeps its hue (red twice green) but loses the part up to white.
    EXPECT_GT(px[4], 0.0f);
    EXPECT_LT(px[4], 4.0f);
    EXPECT_NEAR(px[4] / px[5], 2.0f, 0.01f);
    EXPECT_GT(px[12], 25.0f);
    EXPECT_LT(px[12], 30.0f);
}

TEST_F(BloomTest, BloomWorkGroupCountsCoverTheImage) {
    Bloom bloom(641, 384);
    EXPECT_EQ(bloom.groupsX, 41u);
    EXPECT_EQ(bloom.groupsY, 24u);
}
