#include "BackBuffer.h"

#include <GL/glew.h>

#include <algorithm>

void readBackBufferTopDown(int width, int height, std::vector<uint8_t>& pixels) {
    pixels.resize(static_cast<size_t>(width) * height * 3);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    flipRows(pixels, width * 3, height);
}

void flipRows(std::vector<uint8_t>& pixels, int rowBytes, int rows) {
    const size_t stride = static_cast<size_t>(rowBytes);
    for (int top = 0, bottom = rows - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(pixels.begin() + top * stride, pixels.begin() + (top + 1) * stride,
                         pixels.begin() + bottom * stride);
    }
}
