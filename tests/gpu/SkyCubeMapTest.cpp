// The night sky as the sky pass sees it: the generated faces loaded by the engine's loadCubeMap and
// sampled by GL along world directions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <glm/glm.hpp>
#include <string>
#include <vector>

#include "GlTestFixture.h"
#include "Texture.h"

namespace {
const char* kVertexShader = R"(#version 430 core
layout(location = 0) in vec3 aDirection;
uniform int u_width;
uniform int u_height;
out vec3 direction;
void main() {
    int x = gl_VertexID % u_width;
    int y = gl_VertexID / u_width;
    gl_Position = vec4((x + 0.5) / u_width * 2.0 - 1.0, (y + 0.5) / u_height * 2.0 - 1.0, 0.0, 1.0);
    direction = aDirection;
}
)";
const char* kFragmentShader = R"(#version 430 core
in vec3 direction;
uniform samplerCube u_sky;
out vec4 colour;
void main() { colour = texture(u_sky, direction); }
)";

GLuint compile(GLenum type, const char* source) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

class SkyCubeMapTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        sky = loadCubeMap(std::string(MURKMOOR_SOURCE_DIR) + "/res/cubemap/miramar",
                          "interstellar_ft.tga", "interstellar_bk.tga", "interstellar_up.tga",
                          "interstellar_dn.tga", "interstellar_rt.tga", "interstellar_lf.tga");
        glBindTexture(GL_TEXTURE_CUBE_MAP, sky);
        glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 0, GL_TEXTURE_WIDTH, &faceSize);
        ASSERT_GT(faceSize, 0) << "run the asset generator first";
        program = glCreateProgram();
        const GLuint vs = compile(GL_VERTEX_SHADER, kVertexShader);
        const GLuint fs = compile(GL_FRAGMENT_SHADER, kFragmentShader);
        glAttachShader(program, vs);
        glAttachShader(program, fs);
        glLinkProgram(program);
        glDeleteShader(vs);
        glDeleteShader(fs);
    }

    // The sky's colour along each direction, one direction per pixel of an offscreen target.
    std::vector<glm::vec3> sample(const std::vector<glm::vec3>& directions) {
        const int width = 256;
        const int height = static_cast<int>((directions.size() + width - 1) / width);
        GLuint target = 0;
        GLuint framebuffer = 0;
        glGenTextures(1, &target);
        glBindTexture(GL_TEXTURE_2D, target);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, width, height, 0, GL_RGBA, GL_FLOAT, nullptr);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target, 0);
        glViewport(0, 0, width, height);

        GLuint vao = 0;
        GLuint vbo = 0;
        glGenVertexArrays(1, &vao);
        glBindVertexArray(vao);
        glGenBuffers(1, &vbo);
        glBindBuffer(GL_ARRAY_BUFFER, vbo);
        glBufferData(GL_ARRAY_BUFFER, directions.size() * sizeof(glm::vec3), directions.data(),
                     GL_STATIC_DRAW);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(glm::vec3), nullptr);

        glUseProgram(program);
        glUniform1i(glGetUniformLocation(program, "u_width"), width);
        glUniform1i(glGetUniformLocation(program, "u_height"), height);
        glUniform1i(glGetUniformLocation(program, "u_sky"), 0);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_CUBE_MAP, sky);
        glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(directions.size()));

        std::vector<float> pixels(static_cast<size_t>(width) * height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_FLOAT, pixels.data());
        std::vector<glm::vec3> colours(directions.size());
        for (size_t i = 0; i < directions.size(); ++i) {
            colours[i] = glm::vec3(pixels[i * 4], pixels[i * 4 + 1], pixels[i * 4 + 2]);
        }
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteTextures(1, &target);
        glDeleteBuffers(1, &vbo);
        glDeleteVertexArrays(1, &vao);
        return colours;
    }

    GLuint sky = 0;
    GLuint program = 0;
    GLint faceSize = 0;
};

float luminance(glm::vec3 c) {
    return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b;
}

// Directions spread evenly over the sphere (a Fibonacci lattice).
std::vector<glm::vec3> sphereDirections(int count) {
    std::vector<glm::vec3> directions;
    const float golden = 3.14159265f * (3.0f - std::sqrt(5.0f));
    for (int i = 0; i < count; ++i) {
        const float y = 1.0f - 2.0f * (i + 0.5f) / count;
        const float r = std::sqrt(1.0f - y * y);
        directions.emplace_back(r * std::cos(golden * i), y, r * std::sin(golden * i));
    }
    return directions;
}
}  // namespace

TEST_F(SkyCubeMapTest, NeighbouringDirectionsAcrossEveryFaceEdgeLookAlike) {
    // Each cube edge joins the faces of two major axes; sample both sides of it, two texels apart.
    const glm::vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const float inset = 1.0f - 4.0f / faceSize;
    std::vector<glm::vec3> directions;
    std::vector<std::string> edges;
    const int perEdge = 96;
    for (int a = 0; a < 3; ++a) {
        for (int b = a + 1; b < 3; ++b) {
            const glm::vec3 third = axes[3 - a - b];
            for (float sa : {-1.0f, 1.0f}) {
                for (float sb : {-1.0f, 1.0f}) {
                    edges.push_back("edge " + std::to_string(a) + (sa > 0 ? "+" : "-") + "/" +
                                    std::to_string(b) + (sb > 0 ? "+" : "-"));
                    for (int i = 0; i < perEdge; ++i) {
                        const float t = -0.95f + 1.9f * i / (perEdge - 1);
                        directions.push_back(sa * axes[a] + inset * sb * axes[b] + t * third);
                        directions.push_back(inset * sa * axes[a] + sb * axes[b] + t * third);
                    }
                }
            }
        }
    }
    const std::vector<glm::vec3> colours = sample(directions);
    for (size_t e = 0; e < edges.size(); ++e) {
        std::vector<float> differences;
        for (int i = 0; i < perEdge; ++i) {
            const size_t k = (e * perEdge + i) * 2;
            differences.push_back(glm::length(colours[k] - colours[k + 1]));
        }
        std::sort(differences.begin(), differences.end());
        float mean = 0.0f;
        for (float d : differences) mean += d / perEdge;
        // A star may fall on one side of a seam; anything turned or mirrored shows all along it.
        EXPECT_LT(mean, 0.012f) << edges[e];
        EXPECT_LT(differences[perEdge * 9 / 10], 0.02f) << edges[e];
    }
}

TEST_F(SkyCubeMapTest, MoonShinesOnceAboveTheHorizon) {
    const std::vector<glm::vec3> directions = sphereDirections(65536);
    const std::vector<glm::vec3> colours = sample(directions);
    struct Cluster {
        glm::vec3 first;
        int members;
    };
    std::vector<Cluster> clusters;
    for (size_t i = 0; i < directions.size(); ++i) {
        if (luminance(colours[i]) < 0.6f) continue;
        bool joined = false;
        for (Cluster& c : clusters) {
            if (glm::dot(c.first, directions[i]) > std::cos(glm::radians(10.0f))) {
                ++c.members;
                joined = true;
                break;
            }
        }
        if (!joined) clusters.push_back({directions[i], 1});
    }
    // Stars are points: at most a sample or two. The moon is a disc a few degrees across.
    std::vector<Cluster> discs;
    for (const Cluster& c : clusters) {
        if (c.members >= 8) discs.push_back(c);
    }
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_GT(discs[0].first.y, 0.15f);
}

TEST_F(SkyCubeMapTest, ZenithIsDarkerThanTheMistyHorizon) {
    std::vector<glm::vec3> directions;
    for (int i = 0; i < 360; ++i) {
        const float a = glm::radians(static_cast<float>(i));
        directions.push_back(glm::vec3(std::cos(a), 0.03f, std::sin(a)));  // just above the horizon
        directions.push_back(
            glm::vec3(0.1f * std::cos(a), 1.0f, 0.1f * std::sin(a)));  // near the zenith
    }
    const std::vector<glm::vec3> colours = sample(directions);
    std::vector<float> horizon;
    std::vector<float> zenith;
    for (size_t i = 0; i < colours.size(); i += 2) {
        horizon.push_back(luminance(colours[i]));
        zenith.push_back(luminance(colours[i + 1]));
    }
    std::sort(horizon.begin(), horizon.end());
    std::sort(zenith.begin(), zenith.end());
    EXPECT_GT(horizon[180], 2.0f * zenith[180]);
    EXPECT_LT(zenith[180], 0.1f);
}
