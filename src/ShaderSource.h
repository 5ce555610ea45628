#pragma once

#include <string>
#include <vector>

// A shader's text with its `#include "NAME"` lines replaced by the files they name. NAME is read
// from below shaders/ like a program's own files, or is one of the files the engine writes itself
// (generatedShaderFile). Each file is included once per shader, however often it is named, so
// shared files need no guards and cannot include each other in a loop.
//
// Every file gets a source-string number in `#line` directives (the shader's own file 0, the
// included ones 1, 2, ... in `files` order), so that the driver's log can be given back with the
// names of the files and their own line numbers (nameFilesInLog).
struct ShaderSource {
    std::string text;
    // "shaders/..." paths: the shader's own file first, then every file it included.
    std::vector<std::string> files;
    // One line for each include that could not be resolved, "FILE:LINE: ..." (empty when none).
    std::string problems;
};

// Resolves the includes of `text`, the contents of the file `path` ("shaders/NAME"). The first
// line is taken as the `#version` line and kept first.
ShaderSource expandIncludes(const std::string& text, const std::string& path);

// The text of a file that the engine writes rather than reads ("scene.glsl": the scene's numbers
// that the shaders share with the C++), or nullptr when NAME is not one of them.
const std::string* generatedShaderFile(const std::string& name);

// The driver's log with each source-string number at the start of a message replaced by its file's
// name: "1:12(3): error" becomes "shaders/common/x.glsl:12(3): error". Understands the forms of
// Mesa ("1:12(3):"), NVIDIA ("1(12) :") and AMD ("ERROR: 1:12:").
std::string nameFilesInLog(const std::string& log, const std::vector<std::string>& files);
