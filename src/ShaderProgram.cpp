#include "ShaderProgram.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "GlLabels.h"
#include "LoadFailures.h"
#include "ShaderSource.h"
#include "StandInProgram.h"
#include "UniformCopy.h"

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

namespace {
// Never destroyed: a program that outlives the exit handlers still finds it.
std::vector<ShaderProgram*>& programList() {
    static auto* programs = new std::vector<ShaderProgram*>();
    return *programs;
}
void unlist(ShaderProgram* program) {
    std::vector<ShaderProgram*>& programs = programList();
    programs.erase(std::remove(programs.begin(), programs.end(), program), programs.end());
}
}  // namespace

const std::vector<ShaderProgram*>& programsFromFiles() {
    return programList();
}

ShaderProgram::ShaderProgram(const ShaderProgram& other)
    : id(other.id), stages_(other.stages_), sources_(other.sources_), files_(other.files_) {
    if (!sources_.empty()) programList().push_back(this);
}

ShaderProgram& ShaderProgram::operator=(const ShaderProgram& other) {
    if (this == &other) return *this;
    unlist(this);
    id = other.id;
    stages_ = other.stages_;
    sources_ = other.sources_;
    files_ = other.files_;
    if (!sources_.empty()) programList().push_back(this);
    return *this;
}

ShaderProgram::~ShaderProgram() {
    unlist(this);
}

void ShaderProgram::build(const GLenum* stages, const std::string* files, int count) {
    stages_.assign(stages, stages + count);
    sources_.assign(files, files + count);
    programList().push_back(this);
    std::string log;
    GLuint program = 0;
    compileAndLink(program, log, true);
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

bool ShaderProgram::compileAndLink(GLuint& program, std::string& log, bool noteFailures) {
    const int count = static_cast<int>(stages_.size());
    GLuint shaders[3] = {0, 0, 0};
    // Every shader object exists before any file is read.
    for (int i = 0; i < count; ++i) shaders[i] = glCreateShader(stages_[i]);
    std::vector<std::string> files;
    bool compiled = true;
    for (int i = 0; i < count; ++i) {
        compiled &=
            compileShaderFile("shaders/" + sources_[i], shaders[i], log, files, noteFailures);
    }

    program = glCreateProgram();
    printf("Linking program %d\n", program);
    for (int i = 0; i < count; ++i) glAttachShader(program, shaders[i]);
    glLinkProgram(program);
    const bool linked = printLinkLog(program, log);
    for (int i = 0; i < count; ++i) {
        glDetachShader(program, shaders[i]);
        glDeleteShader(shaders[i]);
    }
    files_ = files;
    return compiled && linked;
}

bool ShaderProgram::rebuild(std::string& log) {
    const std::vector<std::string> previousFiles = files_;
    GLuint program = 0;
    if (!compileAndLink(program, log, false)) {
        glDeleteProgram(program);
        // The running program keeps listening to the files it was built from and the broken one.
        for (const std::string& file : previousFiles) {
            if (std::find(files_.begin(), files_.end(), file) == files_.end()) {
                files_.push_back(file);
            }
        }
        return false;
    }
    copyUniforms(id, program);
    std::string label = sources_[0];
    for (size_t i = 1; i < sources_.size(); ++i) label += " + " + sources_[i];
    labelGlObject(GL_PROGRAM, program, label);
    const GLuint old = id;
    for (ShaderProgram* copy : programList()) {
        if (copy->id == old) {
            copy->id = program;
            copy->files_ = files_;
        }
    }
    glDeleteProgram(old);
    return true;
}

bool ShaderProgram::compileShaderFile(const std::string& path, GLuint shader, std::string& log,
                                      std::vector<std::string>& files, bool noteFailures) {
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
        log += path + ": cannot be opened\n";
        if (noteFailures) noteLoadFailure(path, "cannot be opened");
        if (noteFailures && missingShaderWaitsForEnter()) getchar();
    }
    printf("Compiling shader: %s\n", path.c_str());
    const ShaderSource expanded = expandIncludes(source, path);
    if (!expanded.problems.empty()) printf("%s", expanded.problems.c_str());
    log += expanded.problems;
    files.insert(files.end(), expanded.files.begin(), expanded.files.end());

    const char* text = expanded.text.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);

    GLint status = 0;
    GLint logLength = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &logLength);
    if (logLength > 0) {
        std::vector<char> message(logLength + 1, '\0');
        glGetShaderInfoLog(shader, logLength, nullptr, message.data());
        const std::string named = nameFilesInLog(message.data(), expanded.files);
        printf("%s\n", named.c_str());
        if (status != GL_TRUE) log += named + "\n";
    }
    // A file that could not be opened is noted once, above.
    if (status != GL_TRUE && opened && noteFailures) noteLoadFailure(path, "does not compile");
    return status == GL_TRUE && opened;
}

bool ShaderProgram::printLinkLog(GLuint program, std::string& log) {
    GLint status = 0;
    GLint logLength = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &logLength);
    if (logLength > 0) {
        std::vector<char> message(logLength + 1, '\0');
        glGetProgramInfoLog(program, logLength, nullptr, message.data());
        printf("%s\n", message.data());
        if (status != GL_TRUE) log += std::string(message.data()) + "\n";
    }
    return status == GL_TRUE;
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

void ShaderProgram::setIVec3(Name name, const glm::ivec3& value) const {
    glProgramUniform3i(id, getUniformLocation(name.text), value.x, value.y, value.z);
}

void ShaderProgram::setUVec2(Name name, const glm::uvec2& value) const {
    glProgramUniform2ui(id, getUniformLocation(name.text), value.x, value.y);
}

void ShaderProgram::setMat4(Name name, const glm::mat4& value) const {
    glProgramUniformMatrix4fv(id, getUniformLocation(name.text), 1, GL_FALSE, &value[0][0]);
}
