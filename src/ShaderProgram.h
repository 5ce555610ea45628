#pragma once

#include <GL/glew.h>

#include <string>

// One linked GL program built from GLSL files below shaders/. Build failures are only reported on
// the console; the program object exists in every case, and one whose files fail to link is linked
// with stand-in shaders that draw and compute nothing. Uniform locations are looked up by name at
// every set, never cached.
class ShaderProgram {
public:
    GLuint id = 0;

    ShaderProgram() = default;
    ShaderProgram(std::string vertexFile, std::string fragmentFile);
    ShaderProgram(std::string vertexFile, std::string geometryFile, std::string fragmentFile);
    explicit ShaderProgram(std::string computeFile);

    // Prints "Uniform does not exist: NAME" when the program has no such active uniform.
    GLint getUniformLocation(const std::string& name) const;
    // The same lookup for a literal name, without making a string of it every frame.
    GLint getUniformLocation(const char* name) const;
    void setBool(const std::string& name, bool value) const;
    void setBool(const char* name, bool value) const;

private:
    static void compileShaderFile(std::string path, GLuint shader);
    static void printLinkLog(GLuint program);
    void build(const GLenum* stages, const std::string* files, int count);
};
