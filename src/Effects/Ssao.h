#pragma once

#include <GL/glew.h>

#include <glm/glm.hpp>
#include <random>
#include <vector>

#include "Effects/Quad.h"
#include "ShaderProgram.h"

class BlurFrag;

// Screen-space ambient occlusion from the G-buffer's view-space positions: a full-resolution
// occlusion image, softened at half resolution by the renderer's fragment blur.
class Ssao {
public:
    Quad target;                // GL_RED, full size: the raw occlusion (1 open, 0 occluded)
    ShaderProgram ssaoProgram;  // "quad.vert" + "ambient_occlusion/ssao.frag"
    ShaderProgram blurProgram;  // "quad.vert" + "ambient_occlusion/ssao_blur.frag", not drawn
    GLuint result = 0;          // blurred occlusion that the lighting pass samples

    static std::vector<glm::vec3> ssaoKernel;  // 64 hemisphere offsets, tangent space, z up
    static std::vector<glm::vec3> ssaoNoise;   // 16 rotation vectors, z = 0
    static GLuint noiseTexture;                // 4 x 4 GL_RGB16F of ssaoNoise
    static std::mt19937 randomEngine;          // default seed 5489: the same kernel every run
    static std::uniform_real_distribution<float> randomFloats;

    // Built with the viewport size and the camera's projection.
    // The kernel's reach in metres (creases and contacts, not whole rooms), and how far in front of
    // a kernel point a stored surface must lie to occlude it, near the eye (it grows with depth).
    float radius = 1.0f;
    float bias = 0.02f;

    Ssao(int width, int height, glm::mat4 projection);
    // Sets radius and bias on the occlusion program.
    void applyReach();

    // One frame's occlusion from the view-space position and the normal textures of the G-buffer;
    // blurs it with the shared fragment blur and sets result (and the blur's result) to it.
    void render(GLuint position, GLuint normal, glm::mat4 projection, BlurFrag& blur);

    // Draws the kernel and the noise from the random engine, once per process.
    static void generateSamples();

private:
    void setSamples() const;
};
