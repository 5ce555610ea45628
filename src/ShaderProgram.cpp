#include "ShaderProgram.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "GlLabels.h"
#include "LoadFailures.h"
#include "ShaderSource.h"
#include "StandInProgram.h"

ShaderProgram::ShaderProgram(std::string vertexFile, std::string fragmentFile) {
    const GLenum stages[] = {GL_VERTEX_SHADER, GL_FRAGMENT_SHADER};
    const std::string files[] = {vertexFile, fragmentFile};
    build(stages, files, 2);
}

ShaderProgram::ShaderProgram(std::string vertexFile, std::string geometryFile,
                             std::string fragmentFile) {
    const GLenum stages[] = {GL_VERTEX_SHADER, GL_GEOMETRY_SHADER, GL_FRAGMENT_SHADER};
    const std::string files[] = {vertexFile, geometryFile, fragmentFile};
    build(stages, files, 3);
}

ShaderProgram::ShaderProgram(std::string computeFile) {
    const GLenum stages[] = {GL_COMPUTE_SHADER};
    const std::string files[] = {computeFile};
    build(stages, files, 1);
}

void ShaderProgram::build(const GLenum* stages, const std::string* files, int count) {
    GLuint shaders[3] = {0, 0, 0};
    // Every shader object exists before any file is read.
    for (int i = 0; i < count; ++i) shaders[i] = glCreateShader(stages[i]);
    for (int i = 0; i < count; ++i) compileShaderFile("shaders/" + files[i], shaders[i]);

    GLuint program = glCreateProgram();
    printf("Linking program %d\n", program);
    for (int i = 0; i < count; ++i) glAttachShader(program, shaders[i]);
    glLinkProgram(program);
    printLinkLog(program);
    for (int i = 0; i < count; ++i) glDetachShader(program, shaders[i]);
    // A program that failed to link cannot even be bound without a GL error: it draws nothing
    // instead, and the failure shows as the logs above and a wrong picture.
    std::string label = files[0];
    for (int i = 1; i < count; ++i) label += " + " + files[i];
    if (!programLinked(program)) {
        noteLoadFailure("shaders/" + label, "does not link");
        linkStandIn(program, stages[0] == GL_COMPUTE_SHADER);
    }
    labelGlObject(GL_PROGRAM, program, label);
    id = program;
}

void ShaderProgram::compileShaderFile(std::string path, GLuint shader) {
    std::string source;
    std::ifstream file(path);
    const bool opened = file.is_open();
    if (opened) {
        std::stringstream text;
        text << file.rdbuf();
        source = text.str();
        file.close();
    } else {
        printf("Unable to open %s. Are you in the right directory?", path.c_str());
        fflush(stdout);
        noteLoadFailure(path, "cannot be opened");
        if (missingShaderWaitsForEnter()) getchar();
    }
    printf("Compiling shader: %s\n", path.c_str());
    const ShaderSource expanded = expandIncludes(source, path);
    if (!expanded.problems.empty()) printf("%s", expanded.problems.c_str());

    const char* text = expanded.text.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);

    GLint status = 0;
    GLint logLength = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &logLength);
    if (logLength > 0) {
        std::vector<char> log(logLength + 1, '\0');
        glGetShaderInfoLog(shader, logLength, nullptr, log.data());
        printf("%s\n", nameFilesInLog(log.data(), expanded.files).c_str());
    }
    // A file that could not be opened is noted once, above.
    if (status != GL_TRUE && opened) noteLoadFailure(path, "does not compile");
}

void ShaderProgram::printLinkLog(GLuint program) {
    GLint status = 0;
    GLint logLength = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &logLength);
    if (logLength > 0) {
        std::vector<char> log(logLength + 1, '\0');
        glGetProgramInfoLog(program, logLength, nullptr, log.data());
        printf("%s\n", log.data());
    }
}

GLint ShaderProgram::getUniformLocation(const std::string& name) const {
    return getUniformLocation(name.c_str());
}

GLint ShaderProgram::getUniformLocation(const char* name) const {
    GLint location = glGetUniformLocation(id, name);
    if (location == -1) {
        std::cout << "Uniform does not exist: " << name << std::endl;
    }
    return location;
}

void ShaderProgram::setBool(Name name, bool value) const {
    setInt(name, value ? 1 : 0);
}

void ShaderProgram::setInt(Name name, GLint value) const {
    glProgramUniform1i(id, getUniformLocation(name.text), value);
}

void ShaderProgram::setUint(Name name, GLuint value) const {
    glProgramUniform1ui(id, getUniformLocation(name.text), value);
}

void ShaderProgram::setFloat(Name name, float value) const {
    glProgramUniform1f(id, getUniformLocation(name.text), value);
}

void ShaderProgram::setVec2(Name name, const glm::vec2& value) const {
    glProgramUniform2f(id, getUniformLocation(name.text), value.x, value.y);
}

void ShaderProgram::setVec3(Name name, const glm::vec3& value) const {
    glProgramUniform3f(id, getUniformLocation(name.text), value.x, value.y, value.z);
}

void ShaderProgram::setVec4(Name name, const glm::vec4& value) const {
    glProgramUniform4f(id, getUniformLocation(name.text), value.x, value.y, value.z, value.w);
}

void ShaderProgram::setIVec3(Name name, const glm::ivec3& value) const {
    glProgramUniform3i(id, getUniformLocation(name.text), value.x, value.y, value.z);
}

void ShaderProgram::setUVec2(Name name, const glm::uvec2& value) const {
    glProgramUniform2ui(id, getUniformLocation(name.text), value.x, value.y);
}

void ShaderProgram::setMat4(Name name, const glm::mat4& value) const {
    glProgramUniformMatrix4fv(id, getUniformLocation(name.text), 1, GL_FALSE, &value[0][0]);
}
