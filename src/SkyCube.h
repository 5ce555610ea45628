#pragma once

#include <GL/glew.h>

// The 36 position-only vertices of the sky cube, wound to face its inside so that the sky survives
// back-face culling. Returns the vertex array, attribute 0 = 3 floats.
GLuint makeSkyCubeVertexArray();
