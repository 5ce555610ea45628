#include "SceneAnchorsGlsl.h"

#include <cstdio>
#include <string>

#include "Light.h"
#include "SceneAnchors.h"

namespace {
// Nine significant digits give back the very float the C++ holds.
std::string literal(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    std::string written = text;
    if (written.find_first_of(".e") == std::string::npos) written += ".0";
    return written;
}

std::string constant(const char* name, float value) {
    return std::string("const float ") + name + " = " + literal(value) + ";\n";
}

std::string constant(const char* name, glm::vec3 value) {
    return std::string("const vec3 ") + name + " = vec3(" + literal(value.x) + ", " +
           literal(value.y) + ", " + literal(value.z) + ");\n";
}
}  // namespace

std::string sceneAnchorsGlsl() {
    return "// Written by the engine from src/SceneAnchors.h and src/Light.h.\n" +
           ("const int kMaxPointLights = " + std::to_string(kMaxPointLights) + ";\n") +
           constant("kGround", anchors::kGround) + constant("kInteriorMin", anchors::kInteriorMin) +
           constant("kInteriorMax", anchors::kInteriorMax) +
           constant("kMoonDirection", anchors::kMoonDirection);
}
