#include "Effects/EmissionCounter.h"

#include <algorithm>

uint32_t takeEmission(float& carry, int rate, float dt) {
    carry = static_cast<float>(rate) * dt + carry;
    if (!(carry > 0.0f)) return 0;
    // Capped far above any particle count, so that the conversion below stays defined.
    const float whole = static_cast<float>(static_cast<uint32_t>(std::min(carry, 1.0e9f)));
    carry -= whole;
    return static_cast<uint32_t>(whole);
}

uint32_t takeEmissionSlots(uint32_t& nextSlot, uint32_t emitted, int count) {
    const uint32_t first = nextSlot;
    const uint64_t ring = static_cast<uint64_t>(std::max(count, 1));
    nextSlot = static_cast<uint32_t>((static_cast<uint64_t>(nextSlot) + emitted) % ring);
    return first;
}

void writeEmissionCounter(GLuint counter, uint32_t counterBase, uint32_t count) {
    const uint32_t value = counterBase + count;  // unsigned 32-bit, as the GLSL counter
    glBindBuffer(GL_ATOMIC_COUNTER_BUFFER, counter);
    glMemoryBarrier(GL_ATOMIC_COUNTER_BARRIER_BIT | GL_BUFFER_UPDATE_BARRIER_BIT |
                    GL_SHADER_STORAGE_BARRIER_BIT);
    glBufferSubData(GL_ATOMIC_COUNTER_BUFFER, 0, sizeof(value), &value);
}
