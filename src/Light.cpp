#include "Light.h"

#include <algorithm>
#include <string>

#include "ShaderProgram.h"

void Light::setUniforms(const ShaderProgram& shader) const {
    const std::string prefix = "u_pointLights[" + std::to_string(index) + "]";
    glUniform3f(shader.getUniformLocation(prefix + ".pos"), position.x, position.y, position.z);
    glUniform3f(shader.getUniformLocation(prefix + ".col"), colour.x, colour.y, colour.z);
    glUniform1f(shader.getUniformLocation(prefix + ".spec"), specular);
    glUniform1f(shader.getUniformLocation(prefix + ".cons"), constant);
    glUniform1f(shader.getUniformLocation(prefix + ".lin"), linear);
    glUniform1f(shader.getUniformLocation(prefix + ".quad"), quadratic);
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
    glUniform1f(shader.getUniformLocation("u_lightAmb"), ambient);
    for (const Light* light : pointLights) light->setUniforms(shader);
    glUniform1i(shader.getUniformLocation("u_pointLightsCount"),
                static_cast<GLint>(std::min<size_t>(pointLights.size(), kMaxPointLights)));
}
