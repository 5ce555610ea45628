#pragma once

#include <GL/glew.h>

// Sets every active uniform of `to` that `from` also has, with the same type and size, to the
// value it has in `from`: a rebuilt program takes over the running one's uniforms, set by whoever
// owns it, without each owner setting them again.
void copyUniforms(GLuint from, GLuint to);
