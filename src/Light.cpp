#include "Light.h"

#include <algorithm>
#include <string>

#include "ShaderProgram.h"

void Light::setUniforms(const ShaderProgram& shader) const {
    const std::string prefix = "u_pointLights[" + std::to_string(index) + "]";
    shader.setVec3(prefix + ".pos", position);
    shader.setVec3(prefix + ".col", colour);
    shader.setFloat(prefix + ".spec", specular);
    shader.setFloat(prefix + ".cons", constant);
    shader.setFloat(prefix + ".lin", linear);
    shader.setFloat(prefix + ".quad", quadratic);
}

Light* LightList::addLight(glm::vec3 position) {
    Light* light = new Light();
    glm::mat4 placed = light->modelMatrix;
    placed[3] = glm::vec4(position, 1.0f);
    light->setModelMatrix(placed);
    light->index = static_cast<uint32_t>(pointLights.size());
    pointLights.push_back(light);
    return light;
}

void LightList::setUniforms(const ShaderProgram& shader) const {
    shader.setFloat("u_lightAmb", ambient);
    for (const Light* light : pointLights) light->setUniforms(shader);
    shader.setInt("u_pointLightsCount",
                  static_cast<GLint>(std::min<size_t>(pointLights.size(), kMaxPointLights)));
}
