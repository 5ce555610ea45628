#pragma once

#include <GL/glew.h>

#include <glm/glm.hpp>
#include <string>
#include <vector>

// One linked GL program built from GLSL files below shaders/. Build failures are only reported on
// the console; the program object exists in every case, and one whose files fail to link is linked
// with stand-in shaders that draw and compute nothing. Uniform locations are looked up by name at
// every set, never cached.
//
// The setters write the program's own uniforms (glProgramUniform*): they work whether or not the
// program is current and never change which one is. Whoever draws or dispatches binds the program
// first (glUseProgram); a name the program lacks prints "Uniform does not exist: NAME" and sets
// nothing.
class ShaderProgram {
public:
    GLuint id = 0;

    ShaderProgram() = default;
    ShaderProgram(std::string vertexFile, std::string fragmentFile);
    ShaderProgram(std::string vertexFile, std::string geometryFile, std::string fragmentFile);
    explicit ShaderProgram(std::string computeFile);
    // Every program built from files is listed (programsFromFiles) while it lives; the GL program
    // stays until the context ends, as with every GL object.
    ShaderProgram(const ShaderProgram& other);
    ShaderProgram& operator=(const ShaderProgram& other);
    ~ShaderProgram();

    // "shaders/..." paths of every file the last successful build read, included ones too.
    const std::vector<std::string>& files() const { return files_; }
    // Builds the program again from its files. On success the new program takes over with the old
    // one's uniform values (and so its samplers' units), the old one is deleted and every copy of
    // this program follows; on a failure the running program stays as it was and log holds the
    // compilers' and linker's messages, files named.
    bool rebuild(std::string& log);

    // Prints "Uniform does not exist: NAME" when the program has no such active uniform.
    GLint getUniformLocation(const std::string& name) const;
    // The same lookup for a literal name, without making a string of it every frame.
    GLint getUniformLocation(const char* name) const;

    // A uniform's name as the setters take it: a literal, or a string made for the call.
    struct Name {
        Name(const char* text) : text(text) {}
        Name(const std::string& text) : text(text.c_str()) {}
        const char* text;
    };
    void setBool(Name name, bool value) const;
    void setInt(Name name, GLint value) const;
    void setUint(Name name, GLuint value) const;
    void setFloat(Name name, float value) const;
    void setVec2(Name name, const glm::vec2& value) const;
    void setVec3(Name name, const glm::vec3& value) const;
    void setIVec3(Name name, const glm::ivec3& value) const;
    void setUVec2(Name name, const glm::uvec2& value) const;
    void setMat4(Name name, const glm::mat4& value) const;

private:
    std::vector<GLenum> stages_;
    std::vector<std::string> sources_;  // the program's own files, below shaders/
    std::vector<std::string> files_;

    // Compiles and links into a new program; false (and the messages in log) on a failure.
    bool compileAndLink(GLuint& program, std::string& log, bool noteFailures);
    static bool compileShaderFile(const std::string& path, GLuint shader, std::string& log,
                                  std::vector<std::string>& files, bool noteFailures);
    static bool printLinkLog(GLuint program, std::string& log);
    void build(const GLenum* stages, const std::string* files, int count);
};

// Every live program that was built from files, in the order made.
const std::vector<ShaderProgram*>& programsFromFiles();
