#pragma once

#include <algorithm>
#include <cmath>
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "EffectTestSupport.h"
#include "GlTestFixture.h"

constexpr float kFrame = 1.0f / 60.0f;

// The first `count` values of T in a buffer, once the shaders' storage writes are visible.
template <typename T>
std::vector<T> readBuffer(GLuint buffer, size_t count) {
    std::vector<T> values(count);
    glMemoryBarrier(GL_BUFFER_UPDATE_BARRIER_BIT);
    glBindBuffer(GL_COPY_READ_BUFFER, buffer);
    glGetBufferSubData(GL_COPY_READ_BUFFER, 0, GLsizeiptr(count * sizeof(T)), values.data());
    return values;
}

// The renderer's HDR target (RGBA16F, depth-stencil) and G-buffer positions (alpha 1: geometry).
struct SceneTarget {
    int width = 0, height = 0;
    GLuint framebuffer = 0, colour = 0, depthStencil = 0, fragPos = 0;

    SceneTarget(int width, int height);
    // Clears colour to `background`, depth to 1 and world positions to "no geometry"; binds it.
    void clear(glm::vec4 background) const;
    // Fills the world-position texture with one point (alpha 1) at every pixel.
    void fillFragPos(glm::vec3 position) const;
    // Binds it at its size, with the renderer's blend function.
    void bind() const;
    std::vector<float> readColour() const;
};

// Pixel (x, y) of an RGBA float image read bottom row first.
inline glm::vec4 pixelAt(const std::vector<float>& rgba, int width, int x, int y) {
    const size_t i = (static_cast<size_t>(y) * width + x) * 4;
    return glm::vec4(rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]);
}

// Test-size window pixel of a world point under a projection * view matrix.
glm::ivec2 projectToPixel(const glm::mat4& viewProj, glm::vec3 world);

// Largest per-channel difference of two test-size images in a square around a pixel.
float maxDifferenceAround(const std::vector<float>& a, const std::vector<float>& b,
                          glm::ivec2 centre, int radius);

// Expects the state every effect leaves for the next pass: no blending or depth test, depth writes.
void expectRendererDrawState();
