#pragma once

#include <GL/glew.h>

#include <cstdint>

// The emission budget of the particle compute shaders. The counter holds counterBase plus the
// number of particles to emit this frame. Which particles spawn does not depend on the order in
// which the invocations run, so that the same flight spawns the same particles on every run and
// every driver: the particles form a ring, and each frame's emission takes the next slots round
// it after the last frame's ("emissionStart" and the count in the counter); those of them that
// are dead spawn. A slot comes round again only after count / rate seconds, longer than any
// particle lives, so it is always free by then.

// Adds rate * dt to carry and moves its whole part out: the number of particles to emit this frame.
// The fraction stays in carry for the next frame, so a low rate still emits on average rate * dt.
uint32_t takeEmission(float& carry, int rate, float dt);

// The first slot of this frame's emission of `emitted` particles out of `count`, moving nextSlot on
// past them.
uint32_t takeEmissionSlots(uint32_t& nextSlot, uint32_t emitted, int count);

// Writes counterBase + count into the 4-byte atomic counter buffer, after a barrier that orders the
// previous dispatch's counter atomics and storage writes before this write and this frame's reads.
void writeEmissionCounter(GLuint counter, uint32_t counterBase, uint32_t count);
