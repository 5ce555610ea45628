#pragma once

#include <GL/glew.h>

#include <cstdint>

// The emission budget that the particle compute shaders take their spawn slots from. The counter
// holds counterBase plus the number of particles to emit this frame; each dead particle's
// invocation decrements it and spawns while the value it gets back is still at least counterBase.

// Adds rate * dt to carry and moves its whole part out: the number of particles to emit this frame.
// The fraction stays in carry for the next frame, so a low rate still emits on average rate * dt.
uint32_t takeEmission(float& carry, int rate, float dt);

// Writes counterBase + count into the 4-byte atomic counter buffer, after a barrier that orders the
// previous dispatch's counter atomics and storage writes before this write and this frame's reads.
void writeEmissionCounter(GLuint counter, uint32_t counterBase, uint32_t count);
