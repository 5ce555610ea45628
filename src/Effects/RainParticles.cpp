#include "Effects/RainParticles.h"

#include <cmath>

#include "Effects/EmissionCounter.h"

RainParticles::RainParticles() {
    drawProgram.id = static_cast<GLuint>(-1);
    computeProgram.id = static_cast<GLuint>(-1);

    const GLfloat zero[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glBufferData(GL_SHADER_STORAGE_BUFFER, static_cast<GLsizeiptr>(count) * 16, nullptr,
                 GL_DYNAMIC_DRAW);
    glClearBufferData(GL_SHADER_STORAGE_BUFFER, GL_RGBA32F, GL_RGBA, GL_FLOAT, zero);

    glGenBuffers(1, &counter);
    glBindBuffer(GL_ATOMIC_COUNTER_BUFFER, counter);
    glBufferData(GL_ATOMIC_COUNTER_BUFFER, sizeof(counterBase), &counterBase, GL_DYNAMIC_DRAW);

    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 16, nullptr);
    glBindVertexArray(0);

    computeProgram = ShaderProgram("particles/rain.comp");
    drawProgram =
        ShaderProgram("particles/rain.vert", "particles/rain.geom", "particles/rain.frag");

    groups = static_cast<int>(std::ceil(count * 0.00390625));
}

void RainParticles::setMatrices(glm::mat4 projection, glm::mat4 view) {
    drawProgram.setMat4("projMatrix", projection);
    drawProgram.setMat4("viewMatrix", view);
}

void RainParticles::setArea(glm::vec2 start, glm::vec2 end, float top, float bottom) {
    computeProgram.setVec2("start", start);
    computeProgram.setVec2("end", end);
    computeProgram.setFloat("top", top);
    computeProgram.setFloat("bottom", bottom);
}

void RainParticles::setSpeed(float speed) {
    drawProgram.setFloat("speed", speed);
}

void RainParticles::setScale(glm::vec2 scale) {
    drawProgram.setVec2("scale", scale);
}

void RainParticles::restart() {
    const GLfloat zero[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glMemoryBarrier(GL_BUFFER_UPDATE_BARRIER_BIT);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glClearBufferData(GL_SHADER_STORAGE_BUFFER, GL_RGBA32F, GL_RGBA, GL_FLOAT, zero);
    carry = 0.0f;
    nextSlot = 0;
    active = false;
}

void RainParticles::update(float dt) {
    if (!active) return;
    const uint32_t emitted = takeEmission(carry, rate, dt);
    writeEmissionCounter(counter, counterBase, emitted);

    glUseProgram(computeProgram.id);
    computeProgram.setUint("emissionStart", takeEmissionSlots(nextSlot, emitted, count));
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 0, buffer);
    glBindBufferBase(GL_ATOMIC_COUNTER_BUFFER, 1, counter);
    computeProgram.setFloat("deltaT", dt);
    glMemoryBarrier(GL_ATOMIC_COUNTER_BARRIER_BIT);
    glDispatchCompute(static_cast<GLuint>(groups), 1, 1);
}

void RainParticles::draw() {
    glEnable(GL_DEPTH_TEST);
    if (active) {
        glDepthMask(GL_FALSE);
        glEnable(GL_BLEND);
        glBindVertexArray(vertexArray);
        glUseProgram(drawProgram.id);
        glMemoryBarrier(GL_VERTEX_ATTRIB_ARRAY_BARRIER_BIT);
        glDrawArrays(GL_POINTS, 0, count);
        glDisable(GL_BLEND);
        glDepthMask(GL_TRUE);
    }
    glDisable(GL_DEPTH_TEST);
}
