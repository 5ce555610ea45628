#pragma once

#include <string>

// Writes the soft, round fire and smoke sprites (RGBA PNG) into root/res/particles.
void writeParticleSprites(const std::string& root, int size);
