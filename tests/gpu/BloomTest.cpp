#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "EffectTestSupport.h"
#include "Effects/Bloom.h"
#include "Effects/BlurComp.h"
#include "Effects/BlurFrag.h"
#include "GlTestFixture.h"

namespace {
class BloomTest : public GlTest {};
}  // namespace

// Catches a lopsided, non-square or lossy kernel, and a half-size result not filled at full size.
TEST_F(BloomTest, FragmentBlurSpreadsOneBrightPixelIntoASymmetricHaloAndDownsamples) {
    const int w = 64, h = 48;
    std::vector<float> rgba(static_cast<size_t>(w) * h * 4, 0.0f);
    setRgb(rgba, 24 * w + 32, 100.0f, 100.0f, 100.0f);
    BlurFrag blur(w, h);
    blur.blur(makeRgbaTexture(w, h, rgba));
    std::vector<float> px = readTextureRgba(blur.result, w, h);
    auto at = [&](int dx, int dy) { return channel(px, w, 32 + dx, 24 + dy, 0); };
    EXPECT_GT(at(0, 0), 1.0f);
    for (int k = 1; k <= 6; ++k) {
        const float right = at(k, 0);
        EXPECT_GT(right, 0.0f) << k;
        EXPECT_LT(right, at(k - 1, 0)) << k;
        EXPECT_NEAR(at(-k, 0), right, right * 2e-3f) << k;
        EXPECT_NEAR(at(0, k), right, right * 2e-3f) << k;  // as tall as wide on a wide target
        EXPECT_NEAR(at(0, -k), right, right * 2e-3f) << k;
    }
    double total = 0.0;  // the blur moves light, it neither adds nor removes any
    for (size_t i = 0; i < px.size(); i += 4) total += px[i];
    EXPECT_NEAR(total, 100.0, 0.3);

    // A uniform full-size image stays uniform, at the same level, in the half-size result.
    blur.blur(makeRgbaTexture(2 * w, 2 * h, std::vector<float>(16 * w * h, 0.25f)));
    px = readTextureRgba(blur.result, w, h);
    for (size_t i = 0; i < px.size(); i += 4) ASSERT_NEAR(px[i + 1], 0.25f, 1e-3f) << i / 4;
}

// Catches compute and fragment blurs drifting apart, and partial work groups (300 x 260) left out.
TEST_F(BloomTest, ComputeAndFragmentBlursGiveTheSameGlowToTheLastRowAndColumn) {
    const int w = 300, h = 260;
    std::vector<float> rgba(static_cast<size_t>(w) * h * 4, 0.0f);
    for (int p : {10 * w + 10, 130 * w + 150, 5 * w + 299, 259 * w + 20, 257 * w + 296})
        setRgb(rgba, p, 50.0f, 50.0f, 50.0f);
    BlurFrag frag(w, h);
    frag.blur(makeRgbaTexture(w, h, rgba));
    for (int i = 0; i < 2; ++i) frag.blur(frag.result);
    BlurComp comp(w, h);
    const GLuint image = makeRgbaTexture(w, h, rgba);
    const GLuint scratch = makeRgbaTexture(w, h, {});
    for (int i = 0; i < 3; ++i) comp.blur(image, scratch);
    EXPECT_EQ(comp.result, image);

    const std::vector<float> a = readTextureRgba(frag.result, w, h);
    const std::vector<float> b = readTextureRgba(comp.result, w, h);
    float peak = 0.0f, worst = 0.0f;
    for (size_t i = 0; i < a.size(); i += 4) {
        peak = std::max(peak, a[i]);
        worst = std::max(worst, std::abs(a[i] - b[i]));
    }
    EXPECT_GT(peak, 0.5f);
    EXPECT_LT(worst, peak * 0.01f);
    EXPECT_GT(channel(b, w, w - 1, h - 1, 0), 0.1f);
}

// Catches a bright pass that lets the room glow, loses hue, or skips the partial group (17 x 17).
TEST_F(BloomTest, BrightPassKeepsOnlyLightAboveWhiteEverywhere) {
    const int n = 17;
    std::vector<float> rgba(static_cast<size_t>(n) * n * 4, 0.9f);  // just below white
    setRgb(rgba, 0, 4.0f, 2.0f, 1.0f);                              // over-bright orange
    setRgb(rgba, n * n - 1, 30.0f, 30.0f, 30.0f);
    // A broken texel (an infinite channel, a NaN) must not become a NaN that the blur spreads.
    const float infinity = std::numeric_limits<float>::infinity();
    setRgb(rgba, 2 * n + 2, infinity, 1.0f, 1.0f);
    setRgb(rgba, 2 * n + 4, std::numeric_limits<float>::quiet_NaN(), 3.0f, 3.0f);
    const GLuint output = makeRgbaTexture(n, n, {});
    Bloom bloom(n, n);
    bloom.extract(makeRgbaTexture(n, n, rgba), output);
    const std::vector<float> px = readTextureRgba(output, n, n);
    EXPECT_EQ(channel(px, n, 5, 5, 0), 0.0f);
    // The orange keeps its hue (red twice green) but loses the part up to white.
    EXPECT_GT(px[0], 0.0f);
    EXPECT_LT(px[0], 4.0f);
    EXPECT_NEAR(px[0] / px[1], 2.0f, 0.01f);
    EXPECT_GT(channel(px, n, 16, 16, 0), 25.0f);
    EXPECT_LT(channel(px, n, 16, 16, 0), 30.0f);
    for (int x : {2, 4}) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_TRUE(std::isfinite(channel(px, n, x, 2, c))) << "texel " << x << ", 2: " << c;
        }
    }
    EXPECT_GT(channel(px, n, 4, 2, 1), 0.0f);  // the NaN counts as black, the rest still glows
}
