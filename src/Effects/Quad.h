#pragma once

#include <GL/glew.h>

// A full-screen quad, optionally with its own framebuffer and one float colour texture. All quads
// share one vertex array holding the four triangle-strip vertices that every full-screen pass
// draws.
class Quad {
public:
    bool hasFramebuffer = false;
    GLuint framebuffer = 0;
    GLuint texture = 0;
    int width = 0;
    int height = 0;

    Quad() = default;
    Quad(bool withFramebuffer, int width, int height, GLenum internalFormat, GLenum format);
    Quad(int width, int height);
    Quad(bool withFramebuffer, int width, int height);

    // With a framebuffer: sets the viewport to the target's size, binds it and optionally clears
    // its colour. Without one it does nothing.
    void bind(bool clear) const;
    GLuint getTexture() const;

    // Draws the shared quad with whatever program, textures and framebuffer are current.
    static void draw();
    // A vertex array of four triangle-strip vertices, each a position (x, y, z) and a texture
    // coordinate (u, v): attribute 0 and attribute 1. The buffer's name goes to buffer.
    static GLuint makeStripVertexArray(const float (&vertices)[20], GLuint& buffer);
    static GLuint vertexArray;
    static GLuint vertexBuffer;
    static bool geometryReady;

private:
    static void makeGeometry();
};
