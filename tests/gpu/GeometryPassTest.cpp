#include <gtest/gtest.h>

#include <chrono>
#include <glm/gtc/matrix_transform.hpp>

#include "GlTestFixture.h"
#include "Globals.h"
#include "Mesh.h"
#include "PassProfiler.h"
#include "ShaderProgram.h"
#include "StdoutCapture.h"
#include "Texture.h"

// The geometry pass's own program drawing one textured quad into a colour target, the way the
// house's meshes are drawn.
namespace {
constexpr int kSize = 64;

class GeometryPassTest : public GlTest {
protected:
    ShaderProgram program;
    GLuint target = 0;
    GLuint framebuffer = 0;
    GLuint checker = 0;

    void SetUp() override {
        GlTest::SetUp();
        program = ShaderProgram("geometry.vert", "geometry.frag");
        glUseProgram(program.id);
        const glm::mat4 identity(1.0f);
        for (const char* name : {"u_modelMatrix", "u_viewMatrix", "u_viewProjMatrix",
                                 "u_modelMatrixInverseTranspose"}) {
            glUniformMatrix4fv(program.getUniformLocation(name), 1, GL_FALSE, &identity[0][0]);
        }
        glUniform3f(program.getUniformLocation("u_camPos"), 0.0f, 0.0f, 1.0f);

        glGenTextures(1, &target);
        glBindTexture(GL_TEXTURE_2D, target);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSize, kSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target, 0);
        glViewport(0, 0, kSize, kSize);
        glDisable(GL_DEPTH_TEST);

        // An 8 x 8 checker of 4-texel squares, sampled as the material textures are.
        std::vector<unsigned char> texels(32 * 32 * 4, 255);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const unsigned char v = ((x / 4 + y / 4) % 2) ? 230 : 20;
                for (int c = 0; c < 3; ++c) texels[(y * 32 + x) * 4 + c] = v;
            }
        }
        glGenTextures(1, &checker);
        glBindTexture(GL_TEXTURE_2D, checker);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 32, 32, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     texels.data());
        setMaterialSampling();
    }
    void TearDown() override {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteTextures(1, &target);
        glDeleteTextures(1, &checker);
        glDeleteProgram(program.id);
        GlTest::TearDown();
    }

    // A quad with the given corners (counter-clockwise as seen) and texture coordinates, drawn
    // with the given view-projection.
    std::vector<float> drawQuad(const glm::vec3 (&corners)[4], const glm::vec2 (&uv)[4],
                                const glm::mat4& viewProjection = glm::mat4(1.0f)) {
        Mesh mesh;
        for (int i = 0; i < 4; ++i) {
            mesh.vertices.push_back(Vertex{corners[i], {0, 0, 1}, uv[i], {1, 0, 0}, {0, 1, 0}});
        }
        mesh.indices = {0, 1, 2, 0, 2, 3};
        mesh.setupMesh();
        mesh.textures = {{Diffuse, checker}};
        glUniformMatrix4fv(program.getUniformLocation("u_viewProjMatrix"), 1, GL_FALSE,
                           &viewProjection[0][0]);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        mesh.draw(program, MappingSwitches(true, false, false, false, false));
        glDeleteVertexArrays(1, &mesh.vao);
        glDeleteBuffers(1, &mesh.vbo);
        glDeleteBuffers(1, &mesh.ebo);
        return readTextureRgba(target, kSize, kSize);
    }
};
}  // namespace

TEST_F(GeometryPassTest, AFarRepeatOfTheTextureLooksLikeTheFirst) {
    const glm::vec3 screen[4] = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
    const glm::vec2 near[4] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    const glm::vec2 far[4] = {{-3000, 517}, {-2998, 517}, {-2998, 519}, {-3000, 519}};
    const std::vector<float> first = drawQuad(screen, near);
    const std::vector<float> shifted = drawQuad(screen, far);
    float lightest = 0.0f, darkest = 1.0f, worst = 0.0f;
    for (size_t i = 0; i < first.size(); i += 4) {
        lightest = std::max(lightest, first[i]);
        darkest = std::min(darkest, first[i]);
        worst = std::max(worst, std::abs(first[i] - shifted[i]));
    }
    EXPECT_GT(lightest - darkest, 0.7f);  // the checker is drawn, not a flat average
    EXPECT_LT(worst, 0.02f);
}

// Coordinates of millions of repeats across a receding surface are what the helper pixels of a
// block on a surface's horizon see. They must cost a frame no more than ordinary ones: a
// software rasteriser's anisotropic filter used to spend tens of seconds on them.
TEST_F(GeometryPassTest, CoordinatesMillionsOfRepeatsAwayDrawInBoundedTime) {
    // A floor a metre below the eye out to a kilometre, its texture repeating every 0.1 mm.
    const glm::vec3 floor[4] = {{-1000, -1, 1}, {1000, -1, 1}, {1000, -1, -1000}, {-1000, -1, -1000}};
    glm::vec2 uv[4];
    for (int i = 0; i < 4; ++i) uv[i] = glm::vec2(floor[i].x, -floor[i].z) * 1.0e4f;
    const glm::mat4 viewProjection =
        glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 2000.0f) *
        glm::lookAt(glm::vec3(0, 0, 0), glm::vec3(0, -0.05f, -1), glm::vec3(0, 1, 0));
    const auto start = std::chrono::steady_clock::now();
    const std::vector<float> pixels = drawQuad(floor, uv, viewProjection);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 5.0);
    EXPECT_GT(pixels[(kSize / 2) * 4], 0.0f);  // the floor fills the bottom row
    for (size_t i = 0; i < pixels.size(); i += 4) {
        ASSERT_TRUE(std::isfinite(pixels[i])) << "texel " << i / 4;
    }
}

// The flight's own frames where a block of pixels used to send the software rasteriser's
// anisotropic filter into minutes of work: the back fence's railings seen edge-on (frame 1039)
// and the moor's horizon behind the house (frame 3120). Each G-buffer pass now takes a normal
// frame's time.
TEST_F(GlTest, FlightFramesThatStalledTheGeometryPassDrawInFrameTime) {
    StdoutCapture quiet;
    renderer.init(kWidth, kHeight);
    renderer.loadScene();
    quiet.finish();
    for (int* simulation : {&renderer.doSmoke, &renderer.doFire, &renderer.doRain}) *simulation = 0;
    PassProfiler profiler(PassProfiler::Method::WallClock);
    int frame = 0;
    for (const int stalled : {1039, 3120}) {
        while (frame < stalled) {
            renderer.update(1.0f / 30.0f);
            ++frame;
        }
        profiler.reset();
        renderer.profiler = &profiler;
        renderer.render();
        profiler.endFrame();
        renderer.profiler = nullptr;
        EXPECT_LT(profiler.meanMs(Pass::GBuffer), 5000.0) << "frame " << frame;
    }
}
