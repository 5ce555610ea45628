#pragma once

#include <cstdint>
#include <vector>

#include "Obj.h"

class ShaderProgram;

// The most lights the lighting and smoke shaders take ("u_pointLights" has this many elements).
constexpr int kMaxPointLights = 10;

// A point light with distance attenuation; its position is the Obj's position.
class Light : public Obj {
public:
    glm::vec3 colour{1.0f};
    float specular = 1.0f;
    float constant = 1.0f;
    float linear = 0.09f;
    float quadratic = 0.032f;
    uint32_t index = 0;

    // Uploads this light into slot `index` of "u_pointLights" on the current program.
    void setUniforms(const ShaderProgram& shader) const;
};

// All lights, in the order added, and the ambient term. Lights are never removed: their addresses
// stay valid for the whole run.
class LightList {
public:
    std::vector<Light*> pointLights;
    float ambient = 0.0f;

    Light* addLight(glm::vec3 position);
    // The program must be current. At most kMaxPointLights lights are counted; all are uploaded.
    void setUniforms(const ShaderProgram& shader) const;
};
