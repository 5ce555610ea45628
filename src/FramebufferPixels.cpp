#include "FramebufferPixels.h"

#include <stb/stb_image_write.h>

#include <algorithm>

void readPixelsTopDown(GLuint framebuffer, int width, int height, std::vector<uint8_t>& pixels) {
    pixels.resize(static_cast<size_t>(width) * height * 3);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glReadBuffer(framebuffer == 0 ? GL_BACK : GL_COLOR_ATTACHMENT0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    flipRows(pixels, width * 3, height);
}

void flipRows(std::vector<uint8_t>& pixels, int rowBytes, int rows) {
    const size_t stride = static_cast<size_t>(rowBytes);
    for (int top = 0, bottom = rows - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(pixels.begin() + top * stride, pixels.begin() + (top + 1) * stride,
                         pixels.begin() + bottom * stride);
    }
}

bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}
