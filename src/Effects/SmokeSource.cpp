#include "Effects/SmokeSource.h"

#include <cmath>
#include <cstdlib>

int rand15() {
    return static_cast<int>(static_cast<double>(std::rand()) /
                            (static_cast<double>(RAND_MAX) + 1.0) * 32768.0);
}

glm::ivec3 pickSmokeSource(glm::ivec3 size) {
    // Angle in [0, 2 pi - 1] (the divisor is 32766, so it may just exceed it), radii with a square
    // root so that sources spread evenly over the disc rather than bunching at its middle.
    const double angle = (rand15() / 32766.0) * 5.2831854820251465;
    const double rx = std::sqrt(rand15() / 32767.0) * size.x * 0.5;
    const double rz = std::sqrt(rand15() / 32767.0) * size.z * 0.5;
    // The offset from the centre is truncated towards the centre, so |offset| <= 0.3 * size holds
    // on both sides (truncating centre + offset instead would put negative offsets one cell
    // further out than that).
    const int x = size.x / 2 + static_cast<int>(std::cos(angle) * rx * 0.6);
    const int z = size.z / 2 + static_cast<int>(std::sin(angle) * rz * 0.6);
    return glm::ivec3(x, 0, z);
}
