#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <vector>

#include "FramebufferPixels.h"

class Renderer;

// The tools' own framebuffer for the renderer's final output. A hidden window's default
// framebuffer is no place to read a frame from: its pixels fail the ownership test, and a real
// driver may leave them undefined (black). The renderer composites into this one instead, exactly
// as it would into the window, and the tool reads its frames back from it.
struct OutputFrame {
    GLuint framebuffer = 0;
    GLuint colour = 0;
    int width = 0;
    int height = 0;
};

// Makes an RGBA8 framebuffer of the size. False (with a message on stderr) if it is incomplete.
bool createOutputFrame(int width, int height, OutputFrame& frame);
// Makes one of the renderer's target size and hands it to the renderer as its output, so that the
// frame fills it as it would fill a window of that size. Call after Renderer::init.
bool attachOutputFrame(Renderer& renderer, OutputFrame& frame);

// Reads the frame as tightly packed RGB bytes, top row first (GL gives the bottom row first).
// pixels is resized to width * height * 3.
void readOutputFrameTopDown(const OutputFrame& frame, std::vector<uint8_t>& pixels);
