#pragma once

#include <string>

// Writes one of the six night-sky faces (GL target order: +X, -X, +Y, -Y, +Z, -Z) into
// root/res/cubemap/miramar.
void writeSkyFace(const std::string& root, int face, int faceSize);
