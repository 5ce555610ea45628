#include "ShaderSource.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

#include "SceneAnchorsGlsl.h"

namespace {
constexpr const char* kShaderFolder = "shaders/";

// The file's name in `#include "NAME"`, or an empty string when the line is no include.
std::string includedName(const std::string& line) {
    static const std::regex include(R"(^\s*#\s*include\s+"([^"]+)\"\s*$)");
    std::smatch match;
    return std::regex_match(line, match, include) ? match[1].str() : std::string();
}

bool readFile(const std::string& path, std::string& text) {
    std::ifstream file(path);
    if (!file.is_open()) return false;
    std::stringstream contents;
    contents << file.rdbuf();
    text = contents.str();
    return true;
}

class Expander {
public:
    explicit Expander(ShaderSource& out) : out_(out) {}

    // Appends `text`, source string `index`, from its line `firstLine` on, with its includes.
    void append(const std::string& text, size_t index, int firstLine) {
        std::istringstream lines(text);
        std::string line;
        for (int number = firstLine; std::getline(lines, line); ++number) {
            const std::string name = includedName(line);
            if (name.empty()) {
                out_.text += line + "\n";
                continue;
            }
            // The directive's line stays, blank, so that the lines after it keep their numbers.
            out_.text += "\n";
            include(name, index, number);
        }
    }

private:
    void include(const std::string& name, size_t from, int line) {
        const std::string path = kShaderFolder + name;
        if (std::find(out_.files.begin(), out_.files.end(), path) != out_.files.end()) return;
        std::string text;
        if (const std::string* generated = generatedShaderFile(name)) {
            text = *generated;
        } else if (!readFile(path, text)) {
            out_.problems += out_.files[from] + ":" + std::to_string(line) + ": cannot include \"" +
                             name + "\": no file " + path + "\n";
            return;
        }
        const size_t index = out_.files.size();
        out_.files.push_back(path);
        // "#line L S": the next line is line L of source string S.
        out_.text += "#line 1 " + std::to_string(index) + "\n";
        append(text, index, 1);
        out_.text += "#line " + std::to_string(line + 1) + " " + std::to_string(from) + "\n";
    }

    ShaderSource& out_;
};
}  // namespace

ShaderSource expandIncludes(const std::string& text, const std::string& path) {
    ShaderSource source;
    source.files.push_back(path);
    // The #version line must come first; numbering after it continues at line 2.
    const size_t firstLineEnd = text.find('\n');
    if (firstLineEnd == std::string::npos || text.find("#include") == std::string::npos) {
        source.text = text;
        return source;
    }
    source.text = text.substr(0, firstLineEnd + 1);
    Expander(source).append(text.substr(firstLineEnd + 1), 0, 2);
    return source;
}

const std::string* generatedShaderFile(const std::string& name) {
    static const std::string scene = sceneAnchorsGlsl();
    return name == "scene.glsl" ? &scene : nullptr;
}

std::string nameFilesInLog(const std::string& log, const std::vector<std::string>& files) {
    if (files.size() < 2) return log;
    // At the start of a line, after an optional "ERROR: " or "WARNING: ": a source-string number
    // followed by ":" or "(" and the line number.
    static const std::regex sourceNumber(R"((^|\n)((?:ERROR|WARNING): )?(\d+)([:(]\d+))");
    std::string named;
    auto from = log.cbegin();
    for (std::sregex_iterator it(log.begin(), log.end(), sourceNumber), end; it != end; ++it) {
        const std::smatch& match = *it;
        const std::string number = match[3].str();
        const size_t index = number.size() < 6 ? std::stoul(number) : files.size();
        named.append(from, match[3].first);
        named += index < files.size() ? files[index] : number;
        from = match[3].second;
    }
    named.append(from, log.cend());
    return named;
}
