#include "UniformCopy.h"

#include <string>

namespace {
enum class Scalar { Float, Int, Uint, None };

// The scalar kind and count of a uniform type; None for what this copy leaves alone (doubles).
Scalar scalarOf(GLenum type, int& count) {
    count = 1;
    switch (type) {
        case GL_FLOAT:
            return Scalar::Float;
        case GL_FLOAT_VEC2:
            count = 2;
            return Scalar::Float;
        case GL_FLOAT_VEC3:
            count = 3;
            return Scalar::Float;
        case GL_FLOAT_VEC4:
            count = 4;
            return Scalar::Float;
        case GL_FLOAT_MAT3:
            count = 9;
            return Scalar::Float;
        case GL_FLOAT_MAT4:
            count = 16;
            return Scalar::Float;
        case GL_INT_VEC2:
            count = 2;
            return Scalar::Int;
        case GL_INT_VEC3:
            count = 3;
            return Scalar::Int;
        case GL_INT_VEC4:
            count = 4;
            return Scalar::Int;
        case GL_UNSIGNED_INT:
            return Scalar::Uint;
        case GL_UNSIGNED_INT_VEC2:
            count = 2;
            return Scalar::Uint;
        case GL_UNSIGNED_INT_VEC3:
            count = 3;
            return Scalar::Uint;
        case GL_UNSIGNED_INT_VEC4:
            count = 4;
            return Scalar::Uint;
        case GL_DOUBLE:
            return Scalar::None;
        default:
            return Scalar::Int;  // int, bool and every sampler and image
    }
}

void copyOne(GLuint from, GLuint to, GLint source, GLint target, GLenum type) {
    int count = 0;
    const Scalar scalar = scalarOf(type, count);
    if (scalar == Scalar::Float) {
        GLfloat v[16];
        glGetUniformfv(from, source, v);
        if (count == 1) glProgramUniform1fv(to, target, 1, v);
        if (count == 2) glProgramUniform2fv(to, target, 1, v);
        if (count == 3) glProgramUniform3fv(to, target, 1, v);
        if (count == 4) glProgramUniform4fv(to, target, 1, v);
        if (count == 9) glProgramUniformMatrix3fv(to, target, 1, GL_FALSE, v);
        if (count == 16) glProgramUniformMatrix4fv(to, target, 1, GL_FALSE, v);
    } else if (scalar == Scalar::Int) {
        GLint v[4];
        glGetUniformiv(from, source, v);
        if (count == 1) glProgramUniform1iv(to, target, 1, v);
        if (count == 2) glProgramUniform2iv(to, target, 1, v);
        if (count == 3) glProgramUniform3iv(to, target, 1, v);
        if (count == 4) glProgramUniform4iv(to, target, 1, v);
    } else if (scalar == Scalar::Uint) {
        GLuint v[4];
        glGetUniformuiv(from, source, v);
        if (count == 1) glProgramUniform1uiv(to, target, 1, v);
        if (count == 2) glProgramUniform2uiv(to, target, 1, v);
        if (count == 3) glProgramUniform3uiv(to, target, 1, v);
        if (count == 4) glProgramUniform4uiv(to, target, 1, v);
    }
}

// The types of uniform `name` in program, or 0 when it has none of that name.
GLenum typeOf(GLuint program, const std::string& name, GLint& size) {
    const GLuint index = [&] {
        GLuint found = GL_INVALID_INDEX;
        const char* text = name.c_str();
        glGetUniformIndices(program, 1, &text, &found);
        return found;
    }();
    if (index == GL_INVALID_INDEX) return 0;
    GLint type = 0;
    glGetActiveUniformsiv(program, 1, &index, GL_UNIFORM_TYPE, &type);
    glGetActiveUniformsiv(program, 1, &index, GL_UNIFORM_SIZE, &size);
    return static_cast<GLenum>(type);
}
}  // namespace

void copyUniforms(GLuint from, GLuint to) {
    GLint count = 0;
    glGetProgramiv(from, GL_ACTIVE_UNIFORMS, &count);
    for (GLint i = 0; i < count; ++i) {
        char name[256];
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(from, static_cast<GLuint>(i), sizeof name, nullptr, &size, &type, name);
        // Uniforms in blocks have no location: their buffers stay bound as they are.
        if (glGetUniformLocation(from, name) < 0) continue;
        std::string base = name;
        if (base.size() > 3 && base.compare(base.size() - 3, 3, "[0]") == 0) {
            base.resize(base.size() - 3);
        }
        GLint targetSize = 0;
        if (typeOf(to, name, targetSize) != type) continue;
        const GLint shared = size < targetSize ? size : targetSize;
        for (GLint element = 0; element < shared; ++element) {
            const std::string at = size > 1 ? base + "[" + std::to_string(element) + "]" : name;
            const GLint source = glGetUniformLocation(from, at.c_str());
            const GLint target = glGetUniformLocation(to, at.c_str());
            if (source >= 0 && target >= 0) copyOne(from, to, source, target, type);
        }
    }
}
