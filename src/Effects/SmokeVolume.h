#pragma once

#include <GL/glew.h>

#include <glm/glm.hpp>

#include "ShaderProgram.h"

class Camera;
class LightList;

// Smoke rising out of the cauldron: a 64^3 grid fluid simulation in 16-bit float 3D textures
// (volumetric/smoke.comp), drawn by rasterising the entry and exit faces of its box
// (volumetric/cube.vert/.frag) and ray marching between them (quad.vert + volumetric/smoke.frag),
// lit by the scene's point lights and stopped at the scene's geometry.
//
// Between frames the state lives in two textures: velocityTexture holds the divergence-free
// velocity (rgb, grid cells per second) and density (a) that the next step advects;
// volumeTexture holds the same frame's advected velocity and density, whose alpha the ray march
// draws. scalarTexture is one half of the pressure solve (see smoke.comp for every pass's layout).
class SmokeVolume {
public:
    glm::mat4 model{1.0f};           // places the unit cube [0, 1]^3 in the world
    glm::mat4 viewProjection{1.0f};  // camera projection * camera view, every frame
    ShaderProgram faceProgram;
    ShaderProgram rayMarchProgram;
    // Shared by all instances, made by the first: the entry (front) and exit (back) face targets
    // at the screen size, their framebuffer, and the cube's 14-vertex triangle strip.
    static GLuint faceFramebuffer;
    static GLuint frontFaceTexture;
    static GLuint backFaceTexture;
    static GLuint cubeVertexArray;
    static GLuint cubeVertexBuffer;
    static bool sharedObjectsReady;
    ShaderProgram computeProgram;
    glm::ivec3 size{0};
    GLuint volumeTexture = 0;
    GLuint velocityTexture = 0;
    GLuint scalarTexture = 0;
    glm::ivec3 groups{0};
    float sourceRate = 10.0f;
    float sourceTimer = 0.0f;
    float sourceInterval = 0.15f;
    float buoyancy = 1500.0f;  // upward acceleration per unit density, cells/s^2
    int jacobiIterations = 20;

    // width, height: the screen size of the face targets; lights: uploaded once to the ray march;
    // size: grid resolution; model: the box's placement.
    SmokeVolume(int width, int height, const LightList& lights, glm::ivec3 size, glm::mat4 model);

    void setMatrices();
    // Sets the face program's matrices and the eye of both programs from the camera.
    void followCamera(const Camera& camera);
    // followCamera, then one simulation step of dt seconds.
    void update(float dt, const Camera& camera);
    // Starts the simulation over from still, clean air, its sources drawn from rand() seeded with
    // `seed` (the C library's seeds 0 and 1 both give the sequence of a program that never seeds).
    void restart(unsigned seed);
    // Fills the entry and exit face targets. The caller disables depth testing and keeps the
    // viewport at the screen size; leaves the face framebuffer bound and the cull face at GL_BACK.
    void renderFaces();
    // Ray marches the smoke into the bound target with alpha blending, reading the face targets,
    // the volume and the scene's world positions (the G-buffer's); leaves blending off.
    void draw(GLuint scenePositions);

    // Whether the box is in the camera's view volume: outside it the ray march draws nothing.
    bool inView(const Camera& camera) const;

    // One simulation step: source pulse, advection, divergence, pressure solve, projection.
    void simulate(float dt);
};
