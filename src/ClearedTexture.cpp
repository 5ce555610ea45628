#include "ClearedTexture.h"

#include <glm/gtc/type_ptr.hpp>

// OpenGL 4.3 has no glClearTexImage: the texture is attached to a framebuffer of its own for one
// clear. The bound framebuffer and the scissor test are left as they were.
void clearTexture2D(GLuint texture, glm::vec4 value) {
    GLint bound = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
    const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glClearBufferfv(GL_COLOR, 0, glm::value_ptr(value));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(bound));
    glDeleteFramebuffers(1, &framebuffer);
    if (scissor) glEnable(GL_SCISSOR_TEST);
}
