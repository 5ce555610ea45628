#include "GlLabels.h"

void labelGlObject(GLenum identifier, GLuint name, const std::string& label) {
    glObjectLabel(identifier, name, static_cast<GLsizei>(label.size()), label.c_str());
}

void openDebugGroup(const char* name) {
    glPushDebugGroup(GL_DEBUG_SOURCE_APPLICATION, 0, -1, name);
}

void closeDebugGroup() {
    glPopDebugGroup();
}
