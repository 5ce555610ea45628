#include "Effects/ShadowMapping.h"

#include <algorithm>
#include <cassert>
#include <glm/gtc/matrix_transform.hpp>
#include <string>

#include "GlTargets.h"
#include "Light.h"
#include "Model.h"
#include "ShaderProgram.h"

namespace {
constexpr int kSize = 1024;
constexpr float kFar = 25.0f;

struct Face {
    glm::vec3 direction;
    glm::vec3 up;
};
// GL_TEXTURE_CUBE_MAP_POSITIVE_X + i: the cube map's own orientation of each face.
const Face kFaces[6] = {
    {{1.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f}}, {{-1.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f}},
    {{0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}},  {{0.0f, -1.0f, 0.0f}, {0.0f, 0.0f, -1.0f}},
    {{0.0f, 0.0f, 1.0f}, {0.0f, -1.0f, 0.0f}}, {{0.0f, 0.0f, -1.0f}, {0.0f, -1.0f, 0.0f}},
};
}  // namespace

ShadowMapping::ShadowMapping(Light* light) : drawOptions(false, false, false, false, false) {
    assert(!(std::find(lights.begin(), lights.end(), light) != lights.end()));
    lights.push_back(light);
    this->light = light;

    if (!shadowProgram) {
        shadowProgram =
            new ShaderProgram("shadows/shadowMapPoint2.vert", "shadows/shadowMapPoint2.frag");
        shadowProgram->setFloat("u_oneDivFar", 1.0f / kFar);
    }

    glGenTextures(1, &cubeMap);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cubeMap);
    for (GLenum i = 0; i < 6; ++i) {
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i, 0, GL_DEPTH_COMPONENT, kSize, kSize, 0,
                     GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
    }
    setSampling(GL_TEXTURE_CUBE_MAP, GL_LINEAR, GL_CLAMP_TO_EDGE);

    depthFramebuffer = makeFramebuffer("Shadow", {{GL_DEPTH_ATTACHMENT, cubeMap}});
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    const glm::vec3 p = light->position;
    for (int i = 0; i < 6; ++i) {
        const glm::vec3 target = p + kFaces[i].direction;
        faceTransforms[i] = shadowProjection * glm::lookAt(p, target, kFaces[i].up);
        faceFrustums[i] = Frustum();
        faceFrustums[i].setLens(90.0f, 1.0f, 0.01f, kFar);
        faceFrustums[i].build(p, target, kFaces[i].up);
    }
}

void ShadowMapping::render(Model& scene) {
    glViewport(0, 0, kSize, kSize);
    glBindFramebuffer(GL_FRAMEBUFFER, depthFramebuffer);
    glUseProgram(shadowProgram->id);
    const glm::vec3 p = light->position;
    shadowProgram->setVec3("u_lightPos", p);
    for (GLenum i = 0; i < 6; ++i) {
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                               GL_TEXTURE_CUBE_MAP_POSITIVE_X + i, cubeMap, 0);
        glClear(GL_DEPTH_BUFFER_BIT);
        shadowProgram->setMat4("u_transform", faceTransforms[i]);
        scene.draw(*shadowProgram, drawOptions, faceFrustums[i]);
    }
}

void ShadowMapping::setLightingUniforms(const ShaderProgram& lighting, const Light& light) {
    const std::string index = std::to_string(light.index);
    lighting.setInt("u_shadowsLightActive[" + index + "]", 1);
    lighting.setFloat("u_shadowsFar[" + index + "]", kFar);
}
