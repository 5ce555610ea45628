#include "OutputFrame.h"

#include <algorithm>
#include <cstdio>

#include "Renderer.h"

bool createOutputFrame(int width, int height, OutputFrame& frame) {
    frame.width = width;
    frame.height = height;
    glGenRenderbuffers(1, &frame.colour);
    glBindRenderbuffer(GL_RENDERBUFFER, frame.colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, frame.width, frame.height);
    glGenFramebuffers(1, &frame.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, frame.framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, frame.colour);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete) {
        std::fprintf(stderr, "the %dx%d output framebuffer is not complete\n", frame.width,
                     frame.height);
        return false;
    }
    return true;
}

bool attachOutputFrame(Renderer& renderer, OutputFrame& frame) {
    if (!createOutputFrame(renderer.targetWidth, renderer.targetHeight, frame)) return false;
    renderer.outputFramebuffer = frame.framebuffer;
    return true;
}

void readOutputFrameTopDown(const OutputFrame& frame, std::vector<uint8_t>& pixels) {
    pixels.resize(static_cast<size_t>(frame.width) * frame.height * 3);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, frame.framebuffer);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, frame.width, frame.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    flipRows(pixels, frame.width * 3, frame.height);
}

void flipRows(std::vector<uint8_t>& pixels, int rowBytes, int rows) {
    const size_t stride = static_cast<size_t>(rowBytes);
    for (int top = 0, bottom = rows - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(pixels.begin() + top * stride, pixels.begin() + (top + 1) * stride,
                         pixels.begin() + bottom * stride);
    }
}
