#include "Effects/SmokeVolume.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Camera.h"
#include "Effects/Quad.h"
#include "Effects/SmokeSource.h"
#include "Frustum.h"
#include "GlTargets.h"
#include "Light.h"
#include "TextureUnits.h"

GLuint SmokeVolume::faceFramebuffer = 0;
GLuint SmokeVolume::frontFaceTexture = 0;
GLuint SmokeVolume::backFaceTexture = 0;
GLuint SmokeVolume::cubeVertexArray = 0;
GLuint SmokeVolume::cubeVertexBuffer = 0;
bool SmokeVolume::sharedObjectsReady = false;

namespace {
// The unit cube as one triangle strip. Its triangles wind clockwise seen from outside, so GL
// counts the inside faces as front faces: culling GL_FRONT leaves the faces nearest the eye.
const float kCubeStrip[14 * 3] = {
    0, 1, 1, 1, 1, 1, 0, 0, 1, 1, 0, 1, 1, 0, 0, 1, 1, 1, 1, 1, 0,
    0, 1, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0,
};

GLuint makeFaceTexture(int width, int height) {
    return makeTexture2D(GL_RGBA16F, width, height, GL_RGBA, GL_FLOAT, GL_LINEAR);
}

// Fills a grid texture with zeros: still, clean air.
void zeroVolume(GLuint texture, glm::ivec3 size, GLenum format, int channels) {
    const std::vector<float> zeros(static_cast<size_t>(size.x) * size.y * size.z * channels, 0.0f);
    glBindTexture(GL_TEXTURE_3D, texture);
    glTexSubImage3D(GL_TEXTURE_3D, 0, 0, 0, 0, size.x, size.y, size.z, format, GL_FLOAT,
                    zeros.data());
}

// A 3D texture filled with zeros: the simulation starts from still, clean air (an allocation
// without data would leave its contents undefined).
GLuint makeVolumeTexture(glm::ivec3 size, GLenum internalFormat, GLenum format, int channels) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_3D, texture);
    glTexImage3D(GL_TEXTURE_3D, 0, internalFormat, size.x, size.y, size.z, 0, format, GL_FLOAT,
                 nullptr);
    zeroVolume(texture, size, format, channels);
    setSampling(GL_TEXTURE_3D, GL_LINEAR, GL_CLAMP_TO_EDGE);
    return texture;
}

void makeSharedObjects(int width, int height) {
    glGenVertexArrays(1, &SmokeVolume::cubeVertexArray);
    glGenBuffers(1, &SmokeVolume::cubeVertexBuffer);
    glBindVertexArray(SmokeVolume::cubeVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, SmokeVolume::cubeVertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(kCubeStrip), kCubeStrip, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
    glBindVertexArray(0);

    SmokeVolume::frontFaceTexture = makeFaceTexture(width, height);
    SmokeVolume::backFaceTexture = makeFaceTexture(width, height);
    SmokeVolume::faceFramebuffer =
        makeFramebuffer("Smoke", {{GL_COLOR_ATTACHMENT0, SmokeVolume::frontFaceTexture},
                                  {GL_COLOR_ATTACHMENT1, SmokeVolume::backFaceTexture}});
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    SmokeVolume::sharedObjectsReady = true;
}

const GLbitfield kPassBarrier = GL_SHADER_IMAGE_ACCESS_BARRIER_BIT | GL_TEXTURE_FETCH_BARRIER_BIT;
}  // namespace

SmokeVolume::SmokeVolume(int width, int height, const LightList& lights, glm::ivec3 size,
                         glm::mat4 model) {
    faceProgram.id = static_cast<GLuint>(-1);
    rayMarchProgram.id = static_cast<GLuint>(-1);
    computeProgram.id = static_cast<GLuint>(-1);

    if (!sharedObjectsReady) makeSharedObjects(width, height);
    Quad(0, 0);  // no target of its own: it makes sure the shared screen quad exists for draw()

    this->size = size;
    groups = glm::ivec3(static_cast<int>(std::ceil(size.x * 0.125)),
                        static_cast<int>(std::ceil(size.y * 0.125)),
                        static_cast<int>(std::ceil(size.z * 0.125)));

    volumeTexture = makeVolumeTexture(size, GL_RGBA16F, GL_RGBA, 4);
    velocityTexture = makeVolumeTexture(size, GL_RGBA16F, GL_RGBA, 4);
    scalarTexture = makeVolumeTexture(size, GL_R16F, GL_RED, 1);

    faceProgram = ShaderProgram("volumetric/cube.vert", "volumetric/cube.frag");
    rayMarchProgram = ShaderProgram("quad.vert", "volumetric/smoke.frag");
    rayMarchProgram.setInt("u_frontFaces", units::kSmokeFrontFaces);
    rayMarchProgram.setInt("u_backFaces", units::kSmokeBackFaces);
    rayMarchProgram.setInt("u_volumePresssureGradient", units::kSmokeVolume);
    rayMarchProgram.setInt("u_scenePosDis", units::kSmokeScene);
    lights.setUniforms(rayMarchProgram);

    computeProgram = ShaderProgram("volumetric/smoke.comp");
    computeProgram.setIVec3("globalSize", size);
    computeProgram.setInt("volumeVelocitySampler", units::kSmokeVelocity);
    computeProgram.setFloat("sourceRate", sourceRate);
    computeProgram.setFloat("buoyancy", buoyancy);
    computeProgram.setVec3("sourceVelocity", glm::vec3(0.0f, 30.0f, 0.0f));

    this->model = model;
    // The ray march maps between box and world space (lights, scene positions) with the box's
    // placement, which never changes: its inverse is worked out once, here.
    const glm::mat4 inverseModel = glm::inverse(this->model);
    rayMarchProgram.setMat4("u_modelMatrix", this->model);
    rayMarchProgram.setMat4("u_modelMatrixInverse", inverseModel);
}

void SmokeVolume::setMatrices() {
    const glm::mat4 modelViewProjection = viewProjection * model;
    faceProgram.setMat4("u_modelMatrix", model);
    faceProgram.setMat4("u_modelViewProjMatrix", modelViewProjection);
}

void SmokeVolume::followCamera(const Camera& camera) {
    viewProjection = camera.projection * camera.view;
    setMatrices();
    const glm::vec3 eye = camera.position;
    faceProgram.setVec3("u_camPos", eye);
    // The ray march starts at the eye when the eye is inside the box.
    rayMarchProgram.setVec3("u_camPos", eye);
}

void SmokeVolume::update(float dt, const Camera& camera) {
    followCamera(camera);
    simulate(dt);
}

void SmokeVolume::restart(unsigned seed) {
    // The last step's passes wrote the grids as images.
    glMemoryBarrier(GL_TEXTURE_UPDATE_BARRIER_BIT);
    zeroVolume(volumeTexture, size, GL_RGBA, 4);
    zeroVolume(velocityTexture, size, GL_RGBA, 4);
    zeroVolume(scalarTexture, size, GL_RED, 1);
    sourceTimer = 0.0f;
    std::srand(seed);
}

void SmokeVolume::simulate(float dt) {
    // The last frame's ray march sampled the volume that the first pass now writes as an image.
    glMemoryBarrier(kPassBarrier);

    float rate = 0.0f;
    if (sourceInterval == 0.0f || sourceTimer >= sourceInterval) {
        const glm::ivec3 source = pickSmokeSource(size);
        computeProgram.setIVec3("sourceStart", source);
        computeProgram.setIVec3("sourceEnd", source);
        rate = sourceRate;
        sourceTimer -= sourceInterval;
    } else {
        sourceTimer += dt;
    }
    computeProgram.setFloat("sourceRate", rate);
    computeProgram.setFloat("deltaT", dt);

    glBindImageTexture(0, volumeTexture, 0, GL_TRUE, 0, GL_READ_WRITE, GL_RGBA16F);
    glBindImageTexture(1, velocityTexture, 0, GL_TRUE, 0, GL_READ_WRITE, GL_RGBA16F);
    glBindImageTexture(2, scalarTexture, 0, GL_TRUE, 0, GL_READ_WRITE, GL_R16F);
    bindTexture(units::kSmokeVelocity, GL_TEXTURE_3D, velocityTexture);
    glActiveTexture(GL_TEXTURE0);

    glUseProgram(computeProgram.id);
    const GLuint gx = static_cast<GLuint>(groups.x);
    const GLuint gy = static_cast<GLuint>(groups.y);
    const GLuint gz = static_cast<GLuint>(groups.z);
    computeProgram.setInt("operation", 0);  // advection and source
    glDispatchCompute(gx, gy, gz);
    glMemoryBarrier(kPassBarrier);

    computeProgram.setInt("operation", 1);  // divergence
    glDispatchCompute(gx, gy, gz);
    glMemoryBarrier(kPassBarrier);

    computeProgram.setInt("operation", 2);  // pressure, Jacobi
    int ping = 1;
    for (int i = 0; i < jacobiIterations; ++i) {
        computeProgram.setInt("jacobiPing", ping);
        glDispatchCompute(gx, gy, gz);
        ping = 1 - ping;
        glMemoryBarrier(kPassBarrier);
    }

    computeProgram.setInt("jacobiPing", ping);
    computeProgram.setInt("operation", 3);  // projection
    glDispatchCompute(gx, gy, gz);
    // The next step's advection samples what this pass wrote, with or without a draw between.
    glMemoryBarrier(kPassBarrier);
}

bool SmokeVolume::inView(const Camera& camera) const {
    std::array<glm::vec3, 8> corners;
    for (int k = 0; k < 8; ++k) {
        const glm::vec4 unit(k >> 2 & 1, k >> 1 & 1, k & 1, 1);
        corners[k] = glm::vec3(model * unit);
    }
    Frustum frustum;
    frustum.fromCamera(camera);
    return frustum.testBox(corners) != Outside;
}

void SmokeVolume::renderFaces() {
    glDepthMask(GL_FALSE);
    glBindFramebuffer(GL_FRAMEBUFFER, faceFramebuffer);
    const GLenum both[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, both);
    glClear(GL_COLOR_BUFFER_BIT);

    glBindVertexArray(cubeVertexArray);
    glUseProgram(faceProgram.id);
    glCullFace(GL_FRONT);  // leaves the faces nearest the eye: where rays enter
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 14);
    glCullFace(GL_BACK);  // leaves the far faces: where rays leave
    glDrawBuffer(GL_COLOR_ATTACHMENT1);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 14);
    glDepthMask(GL_TRUE);
}

void SmokeVolume::draw(GLuint scenePositions) {
    glEnable(GL_BLEND);
    glUseProgram(rayMarchProgram.id);
    bindTexture(units::kSmokeFrontFaces, GL_TEXTURE_2D, frontFaceTexture);
    bindTexture(units::kSmokeBackFaces, GL_TEXTURE_2D, backFaceTexture);
    bindTexture(units::kSmokeVolume, GL_TEXTURE_3D, volumeTexture);
    bindTexture(units::kSmokeScene, GL_TEXTURE_2D, scenePositions);
    glActiveTexture(GL_TEXTURE0);
    glMemoryBarrier(kPassBarrier);
    Quad::draw();
    glDisable(GL_BLEND);
}
