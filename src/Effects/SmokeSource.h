#pragma once

#include <glm/glm.hpp>

// Picks the grid cell of the next smoke source from the C library's rand(), which the program
// never seeds, so every run places the same sequence of sources. Three numbers are drawn: the
// angle, then the x and the z radius. The cell lies in the bottom layer (y = 0), within
// 0.3 * size of the grid centre on x and z.
glm::ivec3 pickSmokeSource(glm::ivec3 size);

// One rand() value reduced to 0..32767, whatever the library's RAND_MAX: the range the source
// formulas are written for (with RAND_MAX 32767 it is rand() itself).
int rand15();
