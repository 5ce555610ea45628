#include "Effects/FireParticles.h"

#include <cmath>

#include "Effects/EmissionCounter.h"
#include "GlTargets.h"
#include "TextureUnits.h"

namespace {
GLuint makeStorageBuffer(GLsizeiptr bytes) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glBufferData(GL_SHADER_STORAGE_BUFFER, bytes, nullptr, GL_DYNAMIC_DRAW);
    return buffer;
}

// A texture field still at -1 (not loaded yet) binds no texture: the shaders then draw without it.
GLuint textureOrNone(GLuint texture) {
    return texture == static_cast<GLuint>(-1) ? 0 : texture;
}
}  // namespace

FireParticles::FireParticles(GLuint sceneTexture, int count)
    : count(count), sceneTexture(sceneTexture) {
    drawProgram.id = static_cast<GLuint>(-1);
    computeProgram.id = static_cast<GLuint>(-1);

    const GLsizeiptr vec4Bytes = static_cast<GLsizeiptr>(count) * 16;
    const GLfloat zero[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    buffer0 = makeStorageBuffer(vec4Bytes);
    glClearBufferData(GL_SHADER_STORAGE_BUFFER, GL_RGBA32F, GL_RGBA, GL_FLOAT, zero);
    buffer1 = makeStorageBuffer(vec4Bytes);
    glClearBufferData(GL_SHADER_STORAGE_BUFFER, GL_RGBA32F, GL_RGBA, GL_FLOAT, zero);
    // One float of remaining life per particle: all zero, so every particle starts dead.
    buffer2 = makeStorageBuffer(static_cast<GLsizeiptr>(count) * 4);
    glClearBufferData(GL_SHADER_STORAGE_BUFFER, GL_R32F, GL_RED, GL_FLOAT, zero);

    glGenBuffers(1, &counter);
    glBindBuffer(GL_ATOMIC_COUNTER_BUFFER, counter);
    glBufferData(GL_ATOMIC_COUNTER_BUFFER, sizeof(counterBase), &counterBase, GL_DYNAMIC_DRAW);

    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, buffer0);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, buffer2);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 1, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindVertexArray(0);

    computeProgram = ShaderProgram("particles/fire.comp");
    computeProgram.setFloat("sourceBaseTimeToLive", baseTimeToLive);

    drawProgram =
        ShaderProgram("particles/fire.vert", "particles/fire.geom", "particles/fire.frag");
    drawProgram.setFloat("inverseTimeToLiveTotal", 1.0f / baseTimeToLive);
    drawProgram.setInt("texFire", units::kFireSprite);
    drawProgram.setInt("texSmoke", units::kSmokeSprite);
    drawProgram.setInt("sceneFragPos", units::kFireScene);

    groups = static_cast<int>(std::ceil(count * 0.00390625));
}

void FireParticles::setMatrices(glm::mat4 projection, glm::mat4 view) {
    drawProgram.setMat4("projMatrix", projection);
    drawProgram.setMat4("viewMatrix", view);
}

void FireParticles::setSource(glm::vec3 position, glm::vec3 spread, glm::vec3 targetOffset,
                              float attraction) {
    sourcePosition = position;
    const glm::vec3 target = position + targetOffset;
    computeProgram.setVec3("sourceBasePos", position);
    computeProgram.setVec3("sourcePosSpread", spread);
    computeProgram.setVec3("target", target);
    computeProgram.setFloat("targetAttraction", attraction);
}

void FireParticles::setSourceVelocity(glm::vec3 velocity) {
    computeProgram.setVec3("sourceBaseVel", velocity);
}

void FireParticles::setSphere(glm::vec3 offset, float radius) {
    const glm::vec3 centre = sourcePosition + offset;
    computeProgram.setVec3("sphereCenter", centre);
    computeProgram.setFloat("sphereRadius", radius);
}

void FireParticles::setTimeToLive(float seconds) {
    computeProgram.setFloat("sourceBaseTimeToLive", seconds);
}

void FireParticles::restart() {
    const GLfloat zero[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glMemoryBarrier(GL_BUFFER_UPDATE_BARRIER_BIT);
    for (GLuint buffer : {buffer0, buffer1}) {
        glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
        glClearBufferData(GL_SHADER_STORAGE_BUFFER, GL_RGBA32F, GL_RGBA, GL_FLOAT, zero);
    }
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer2);
    glClearBufferData(GL_SHADER_STORAGE_BUFFER, GL_R32F, GL_RED, GL_FLOAT, zero);
    carry = 0.0f;
    nextSlot = 0;
}

void FireParticles::update(float dt) {
    const uint32_t emitted = takeEmission(carry, rate, dt);
    writeEmissionCounter(counter, counterBase, emitted);

    glUseProgram(computeProgram.id);
    computeProgram.setUint("emissionStart", takeEmissionSlots(nextSlot, emitted, count));
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 0, buffer0);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 1, buffer1);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 2, buffer2);
    glBindBufferBase(GL_ATOMIC_COUNTER_BUFFER, 3, counter);
    computeProgram.setFloat("deltaT", dt);
    glDispatchCompute(static_cast<GLuint>(groups), 1, 1);
}

void FireParticles::draw() {
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);

    glBindVertexArray(vertexArray);
    glUseProgram(drawProgram.id);
    bindTexture(units::kFireSprite, GL_TEXTURE_2D, textureOrNone(fireTexture));
    bindTexture(units::kSmokeSprite, GL_TEXTURE_2D, textureOrNone(smokeTexture));
    bindTexture(units::kFireScene, GL_TEXTURE_2D, textureOrNone(sceneTexture));
    glActiveTexture(GL_TEXTURE0);

    glMemoryBarrier(GL_VERTEX_ATTRIB_ARRAY_BARRIER_BIT);
    glDrawArrays(GL_POINTS, 0, count);

    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glDisable(GL_DEPTH_TEST);
}
