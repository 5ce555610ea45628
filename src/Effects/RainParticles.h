#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <glm/glm.hpp>

#include "ShaderProgram.h"

// The rain: drops spawned across a horizontal rectangle at a fixed height, falling until they
// reach the bottom height, drawn as thin vertical streaks. A compute shader (particles/rain.comp)
// spawns and moves them in one storage buffer; the draw program (particles/rain.vert/.geom/.frag)
// draws the same buffer as points. Dormant until `active` is set (the camera path's rain event).
//
// Storage, one vec4 per drop: xyz position, w fall speed in m/s; w = 0: not falling (never spawned
// or finished), and such a drop is parked far below the scene, where the draw skips it.
class RainParticles {
public:
    GLuint buffer = 0;
    GLuint counter = 0;
    GLuint vertexArray = 0;
    int count = 16384;
    int rate = 2000;
    int groups = 0;
    float carry = 0.0f;
    ShaderProgram drawProgram;
    ShaderProgram computeProgram;
    uint32_t counterBase = 2147483647u;
    uint32_t nextSlot = 0;  // where the next frame's emission starts round the ring of drops
    bool active = false;

    RainParticles();

    void setMatrices(glm::mat4 projection, glm::mat4 view);
    // Spawn rectangle between the corners start and end (x, z) at height top; drops end at bottom.
    void setArea(glm::vec2 start, glm::vec2 end, float top, float bottom);
    // Streak shape: width and length are scale times the distance a drop falling at speed m/s
    // covers in one millisecond (speed 100 and scale (0.1, 4): 1 cm wide, 40 cm long).
    void setSpeed(float speed);
    void setScale(glm::vec2 scale);

    // Dormant again, every drop parked and the emission's count and ring back at their start.
    void restart();
    // Does nothing while not active; otherwise emits rate * dt drops (fraction carried over) and
    // advances every drop by dt.
    void update(float dt);
    // Draws all count points with depth test on, depth writes off and alpha blending while active;
    // leaves depth test and blending off and depth writes on.
    void draw();
};
