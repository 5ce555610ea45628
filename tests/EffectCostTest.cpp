#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <glm/gtc/matrix_transform.hpp>

#include "EffectTestSupport.h"
#include "Effects/Bloom.h"
#include "Effects/BlurComp.h"
#include "Effects/BlurFrag.h"
#include "Effects/HdrToneMapping.h"
#include "Effects/ShadowMapping.h"
#include "Effects/Ssao.h"
#include "GlTestFixture.h"
#include "Globals.h"

// Frame cost of each effect at 640 x 384, wall clock with glFinish before and after, median of
// 9 runs. Disabled in the suite: run it by hand with --gtest_also_run_disabled_tests.
namespace {
constexpr int kW = 640;
constexpr int kH = 384;

template <typename Fn>
double medianMs(Fn&& fn) {
    std::vector<double> times;
    fn();  // warm-up: shader compilation on first use
    for (int i = 0; i < 9; ++i) times.push_back(gpuMilliseconds(fn));
    std::sort(times.begin(), times.end());
    return times[4];
}

std::vector<float> sceneImage() {
    std::vector<float> rgba(static_cast<size_t>(kW) * kH * 4, 1.0f);
    for (size_t p = 0; p < static_cast<size_t>(kW) * kH; ++p) {
        const float v = (p % 97 == 0) ? 20.0f : 0.05f + 0.5f * (p % kW) / kW;
        for (int c = 0; c < 3; ++c) rgba[p * 4 + c] = v;
    }
    return rgba;
}

// A view-space floor and back wall, the way the geometry pass stores them.
void makeGBuffer(GLuint& position, GLuint& normal, const glm::mat4& projection) {
    std::vector<float> pos(static_cast<size_t>(kW) * kH * 4), nrm(pos.size());
    const glm::mat4 inverse = glm::inverse(projection);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            glm::vec4 far =
                inverse * glm::vec4((x + 0.5f) / kW * 2 - 1, (y + 0.5f) / kH * 2 - 1, 1, 1);
            const glm::vec3 dir = glm::normalize(glm::vec3(far) / far.w);
            float t = 5.0f / -dir.z;
            glm::vec3 n(0, 0, 1);
            if (dir.y < 0 && -1.0f / dir.y < t) {
                t = -1.0f / dir.y;
                n = glm::vec3(0, 1, 0);
            }
            const size_t i = (static_cast<size_t>(y) * kW + x) * 4;
            for (int c = 0; c < 3; ++c) {
                pos[i + c] = dir[c] * t;
                nrm[i + c] = n[c];
            }
        }
    }
    position = makeRgbaTexture(kW, kH, pos);
    normal = makeRgbaTexture(kW, kH, nrm);
}
}  // namespace

TEST_F(GlTest, DISABLED_EffectCostAt640x384) {
    const int hw = kW / 2, hh = kH / 2;
    const std::vector<float> image = sceneImage();
    const GLuint scene = makeRgbaTexture(kW, kH, image);
    const GLuint bright = makeRgbaTexture(kW, kH, {});
    const GLuint half = makeRgbaTexture(hw, hh, {});
    const GLuint spare = makeRgbaTexture(hw, hh, {});
    const glm::mat4 projection =
        glm::perspective(glm::radians(45.0f), float(kW) / kH, 0.1f, 150.0f);
    GLuint position = 0, normal = 0;
    makeGBuffer(position, normal, projection);

    double shadowMs = 0, ssaoMs = 0, extractMs = 0, fragMs = 0, compMs = 0, hdrMs = 0;
    printedBy([&] {
        renderer.blurFrag = new BlurFrag(hw, hh);
        Bloom bloom(kW, kH);
        BlurComp comp(hw, hh);
        HdrToneMapping hdr(kW, kH);
        Ssao ssao(kW, kH, projection);
        ShadowMapping shadows(renderer.lights.addLight(glm::vec3(0, 2, 0)));

        glEnable(GL_DEPTH_TEST);
        shadowMs = medianMs([&] { shadows.render(); });
        glDisable(GL_DEPTH_TEST);
        ssaoMs = medianMs([&] { ssao.render(position, normal, projection); });
        extractMs = medianMs([&] { bloom.extract(scene, bright); });
        fragMs = medianMs([&] {
            renderer.blurFrag->blur(bright);
            for (int i = 0; i < 4; ++i) renderer.blurFrag->blur(renderer.blurFrag->result);
        });
        compMs = medianMs([&] {
            for (int i = 0; i < 5; ++i) comp.blur(half, spare);
        });
        hdrMs = medianMs([&] { hdr.render(scene, scene, bright); });
    });
    std::printf("shadow cube map (6 x 1024^2 depth, empty scene): %.2f ms\n", shadowMs);
    std::printf("SSAO (64 samples, full res) + one half-res blur: %.2f ms\n", ssaoMs);
    std::printf("bloom bright pass: %.2f ms\n", extractMs);
    std::printf("bloom FRAG blur, 5 iterations: %.2f ms\n", fragMs);
    std::printf("bloom COMP blur, 5 runs (without the downsample draw): %.2f ms\n", compMs);
    std::printf("HDR tone mapping (luminance, read-back, mapping): %.2f ms\n", hdrMs);
}
