#include "KeyPoint.h"

#include <cstdio>
#include <cstdlib>

std::string keyPointLine(glm::vec3 p, glm::vec3 t) {
    char line[256];
    snprintf(line, sizeof(line),
             "m_keyPoints.push_back(KeyPoint(glm::vec3(%f, %f, %f), glm::vec3(%f ,%f ,%f)));\n",
             p.x, p.y, p.z, t.x, t.y, t.z);
    return line;
}

namespace {
// Walks a line part by part, skipping blanks before each.
struct LineReader {
    const std::string& line;
    size_t at = 0;
    std::string expected;

    void skipBlanks() {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) ++at;
    }
    bool literal(const char* text) {
        skipBlanks();
        const std::string part = text;
        if (line.compare(at, part.size(), part) != 0) {
            expected = "\"" + part + "\"";
            return false;
        }
        at += part.size();
        return true;
    }
    bool number(float& value) {
        skipBlanks();
        const char* start = line.c_str() + at;
        char* end = nullptr;
        const double read = std::strtod(start, &end);
        if (end == start) {
            expected = "a number";
            return false;
        }
        at += static_cast<size_t>(end - start);
        value = static_cast<float>(read);
        return true;
    }
    bool vec3(glm::vec3& v) {
        return literal("glm::vec3(") && number(v.x) && literal(",") && number(v.y) &&
               literal(",") && number(v.z) && literal(")");
    }
};
}  // namespace

bool parseKeyPointLine(const std::string& line, KeyPoint& keyPoint, std::string& expected,
                       size_t& column) {
    LineReader reader{line, 0, {}};
    KeyPoint read;
    const bool ok = reader.literal("m_keyPoints.push_back(") && reader.literal("KeyPoint(") &&
                    reader.vec3(read.position) && reader.literal(",") && reader.vec3(read.target) &&
                    reader.literal(")") && reader.literal(")") && reader.literal(";");
    reader.skipBlanks();
    if (ok && reader.at < line.size()) reader.expected = "the end of the line";
    if (!ok || reader.at < line.size()) {
        expected = reader.expected;
        column = reader.at + 1;
        return false;
    }
    keyPoint = read;
    return true;
}
