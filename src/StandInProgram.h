#pragma once

#include <GL/glew.h>

// True when the program object's last link succeeded.
bool programLinked(GLuint program);

// Relinks a program whose own shaders failed to link with stand-in shaders that do nothing: a
// compute shader that writes nothing, or a vertex stage that places every vertex outside the clip
// volume, so draws produce no fragment. The program keeps its name and becomes usable, so that
// binding it, looking up its uniforms, drawing and dispatching with it raise no GL error.
void linkStandIn(GLuint program, bool compute);
