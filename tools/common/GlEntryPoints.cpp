#include "GlEntryPoints.h"

#include <GL/glew.h>

bool loadGlEntryPoints(bool eglContext, std::string& error) {
    glewExperimental = GL_TRUE;
    const GLenum status = glewInit();
    // glewInit loads the context's GL first and GLX after; this code means the first half
    // succeeded and only the GLX half found no X display.
    const bool onlyGlxMissing = eglContext && status == GLEW_ERROR_NO_GLX_DISPLAY;
    if (status != GLEW_OK && !onlyGlxMissing) {
        error = std::string("GLEW could not load OpenGL: ") +
                reinterpret_cast<const char*>(glewGetErrorString(status));
        return false;
    }
    // GLEW's own errors are flags it leaves behind; the context starts clean.
    while (glGetError() != GL_NO_ERROR) {
    }
    if (!GLEW_VERSION_4_3 || !glDispatchCompute || !glDebugMessageCallback) {
        const GLubyte* version = glGetString(GL_VERSION);
        error = std::string("the context is not OpenGL 4.3 (it says ") +
                (version ? reinterpret_cast<const char*>(version) : "nothing") + ")";
        return false;
    }
    return true;
}
