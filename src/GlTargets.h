#pragma once

#include <GL/glew.h>

#include <initializer_list>
#include <utility>

// Textures and framebuffers as the passes make them.

// Sets the bound texture's filter (minifying and magnifying) and its wrap on each of its axes.
void setSampling(GLenum target, GLint filter, GLint wrap);

// An empty 2D texture of one level, sampled with filter and clamped to its edges.
GLuint makeTexture2D(GLint internalFormat, int width, int height, GLenum format, GLenum type,
                     GLint filter);

// A framebuffer with each (attachment point, texture) attached at level 0 (every layer of a cube
// map), left bound. One that is not complete is reported as "NAME framebuffer not complete! Id: N".
GLuint makeFramebuffer(const char* name,
                       std::initializer_list<std::pair<GLenum, GLuint>> attachments);

// Binds texture on texture unit `unit` (a constant of TextureUnits.h).
void bindTexture(GLint unit, GLenum target, GLuint texture);
