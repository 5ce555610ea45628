#include "GlTargets.h"

#include <cstdio>

void setSampling(GLenum target, GLint filter, GLint wrap) {
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(target, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, wrap);
    if (target == GL_TEXTURE_3D || target == GL_TEXTURE_CUBE_MAP) {
        glTexParameteri(target, GL_TEXTURE_WRAP_R, wrap);
    }
}

GLuint makeTexture2D(GLint internalFormat, int width, int height, GLenum format, GLenum type,
                     GLint filter) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, type, nullptr);
    setSampling(GL_TEXTURE_2D, filter, GL_CLAMP_TO_EDGE);
    return texture;
}

GLuint makeFramebuffer(const char* name,
                       std::initializer_list<std::pair<GLenum, GLuint>> attachments) {
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    for (const auto& [attachment, texture] : attachments) {
        glFramebufferTexture(GL_FRAMEBUFFER, attachment, texture, 0);
    }
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        printf("%s framebuffer not complete! Id: %d\n", name, framebuffer);
    }
    return framebuffer;
}

void bindTexture(GLint unit, GLenum target, GLuint texture) {
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    glBindTexture(target, texture);
}
