#pragma once

#include <GL/glew.h>

#include <string>

// Names for graphics debuggers (RenderDoc, apitrace): a frame captured there reads as the frame
// study does. Neither call changes what is drawn.

// Labels an existing GL object (a texture, buffer, framebuffer, program...).
void labelGlObject(GLenum identifier, GLuint name, const std::string& label);

// Opens a debug group: the commands until the matching closeDebugGroup appear under its name.
void openDebugGroup(const char* name);
void closeDebugGroup();
