#include "WindowSize.h"

#include <GL/glew.h>

#include "Shell.h"

namespace {
// X11 draws with 16-bit signed coordinates: a larger window ends the process with a BadValue
// error as soon as the context first presents into it, before the GL can be asked its limits.
constexpr int kLargestWindowSide = 32767;

bool sideCreatable(float side) {
    const int truncated = static_cast<int>(side);
    return truncated >= 0 && truncated <= kLargestWindowSide;
}
}  // namespace

bool windowSizeCreatable(const WindowSettings& settings) {
    return windowSizeRepresentable(settings) && sideCreatable(settings.width) &&
           sideCreatable(settings.height);
}

bool windowSizeRenderable(int width, int height) {
    GLint textureSize = 0;
    GLint viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textureSize);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    return width > 0 && height > 0 && width <= textureSize && height <= textureSize &&
           width <= viewport[0] && height <= viewport[1];
}
