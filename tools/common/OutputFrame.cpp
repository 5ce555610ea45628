#include "OutputFrame.h"

#include <cstdio>

#include "GlLabels.h"
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
    labelGlObject(GL_FRAMEBUFFER, frame.framebuffer, "output frame");
    labelGlObject(GL_RENDERBUFFER, frame.colour, "output frame");
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
    readPixelsTopDown(frame.framebuffer, frame.width, frame.height, pixels);
}
