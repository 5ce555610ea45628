#pragma once

#include <GL/glew.h>

#include <array>
#include <glm/glm.hpp>
#include <vector>

#include "Frustum.h"
#include "Mesh.h"

class Light;
class Model;
class ShaderProgram;

// Omnidirectional shadow of one point light: the distance to the nearest surface in every
// direction, rendered into a 1024 x 1024 depth cube map that the lighting pass samples.
class ShadowMapping {
public:
    Light* light = nullptr;                   // not owned
    std::array<glm::mat4, 6> faceTransforms;  // projection x view of each face, GL face order
    std::array<Frustum, 6> faceFrustums;      // view volume of each face, for culling
    GLuint cubeMap = 0;                       // GL_DEPTH_COMPONENT, distance / 25 per texel
    GLuint depthFramebuffer = 0;
    MappingSwitches drawOptions;  // all off: the depth pass binds no material

    static std::vector<Light*> lights;    // every light that has a shadow
    static ShaderProgram* shadowProgram;  // shared by all instances, built by the first
    static glm::mat4 shadowProjection;    // 90 degrees, square, near 0.01, far 25

    // The faces look out from the light's position at this moment.
    explicit ShadowMapping(Light* light);

    // Renders the six faces of the scene's depth; depth testing must be on. Leaves the shadow
    // framebuffer bound and the viewport at 1024 x 1024.
    void render(Model& scene);
    // Sets a shadow-casting light's "u_shadowsLightActive[i]" and "u_shadowsFar[i]" on the
    // lighting program.
    static void setLightingUniforms(const ShaderProgram& lighting, const Light& light);
};
