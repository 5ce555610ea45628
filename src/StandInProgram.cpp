#include "StandInProgram.h"

namespace {
const char* const kComputeSource =
    "#version 430 core\nlayout(local_size_x = 1) in;\nvoid main() {}\n";
// Outside the clip volume on every axis, w positive: points, lines and triangles are all dropped.
const char* const kVertexSource =
    "#version 430 core\nvoid main() { gl_Position = vec4(2.0, 2.0, 2.0, 1.0); }\n";
const char* const kFragmentSource = "#version 430 core\nvoid main() {}\n";

// Made once, on first need; like every GL object of the program they live until exit.
GLuint standInShader(GLenum stage, const char* source) {
    const GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}
}  // namespace

bool programLinked(GLuint program) {
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status == GL_TRUE;
}

void linkStandIn(GLuint program, bool compute) {
    static const GLuint computeShader = standInShader(GL_COMPUTE_SHADER, kComputeSource);
    static const GLuint vertexShader = standInShader(GL_VERTEX_SHADER, kVertexSource);
    static const GLuint fragmentShader = standInShader(GL_FRAGMENT_SHADER, kFragmentSource);
    if (compute) {
        glAttachShader(program, computeShader);
        glLinkProgram(program);
        glDetachShader(program, computeShader);
    } else {
        glAttachShader(program, vertexShader);
        glAttachShader(program, fragmentShader);
        glLinkProgram(program);
        glDetachShader(program, vertexShader);
        glDetachShader(program, fragmentShader);
    }
}
