#pragma once

#include <GL/glew.h>

#include <glm/glm.hpp>

// Fills level 0 of a 2D colour texture with one value. A texture allocated without data holds
// whatever its memory held (a GPU shows stale frames there); those a view may show before any
// pass writes them are cleared once when made.
void clearTexture2D(GLuint texture, glm::vec4 value);
