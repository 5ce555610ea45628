#include "SoftwareRenderer.h"

#include <GL/glew.h>

#include <cstring>

bool isSoftwareRenderer(const char* renderer) {
    return renderer && (std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe") ||
                        std::strstr(renderer, "Software"));
}

bool contextIsSoftware() {
    return isSoftwareRenderer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
}
