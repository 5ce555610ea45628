#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <glm/glm.hpp>

#include "ShaderProgram.h"

// The fire: GPU particles spawned at a source, drawn towards a target and kept inside a sphere,
// drawn as camera-facing sprites that turn from the fire image to the smoke image as they age.
// A compute shader (particles/fire.comp) spawns, moves and ages them in three storage buffers; the
// draw program (particles/fire.vert/.geom/.frag) draws the same buffers as points.
//
// Storage, one record per particle:
//   buffer0  vec4  position xyz, w = the particle's sprite size factor (vertex attribute 0)
//   buffer1  vec4  velocity xyz, w = the particle's random state (a whole number below 2^24)
//   buffer2  float seconds of life left (vertex attribute 1); 0 or less: dead, that is
//            invisible and free for a new spawn
class FireParticles {
public:
    GLuint buffer0 = 0;
    GLuint buffer1 = 0;
    GLuint buffer2 = 0;
    GLuint counter = 0;
    GLuint vertexArray = 0;
    int count = 0;
    int rate = 300;
    int groups = 0;
    float carry = 0.0f;
    float baseTimeToLive = 1.0f;
    ShaderProgram drawProgram;
    ShaderProgram computeProgram;
    GLuint fireTexture = static_cast<GLuint>(-1);
    GLuint smokeTexture = static_cast<GLuint>(-1);
    GLuint sceneTexture = static_cast<GLuint>(-1);
    glm::vec3 sourcePosition{0.0f};
    uint32_t counterBase = 2147483647u;
    uint32_t nextSlot = 0;  // where the next frame's emission starts round the ring of particles

    // sceneTexture: the G-buffer's world-position texture (alpha 1 where geometry is), sampled on
    // unit 2 while drawing so that sprites fade out where they meet the scene.
    FireParticles(GLuint sceneTexture, int count);

    void setMatrices(glm::mat4 projection, glm::mat4 view);
    void setSource(glm::vec3 position, glm::vec3 spread, glm::vec3 targetOffset, float attraction);
    void setSourceVelocity(glm::vec3 velocity);
    void setSphere(glm::vec3 offset, float radius);
    void setTimeToLive(float seconds);

    // Every particle dead and the emission's count and ring back at their start, as built.
    void restart();
    // Emits rate * dt particles (the fraction carried over) and advances every particle by dt.
    void update(float dt);
    // Draws all count points with depth test on, depth writes off and alpha blending; leaves depth
    // test and blending off and depth writes on.
    void draw();
};
