#include "scene/Graves.h"

#include <cmath>
#include <vector>

#include "scene/Part.h"

namespace {
std::vector<glm::vec2> roundedOutline(float halfWidth, float height, bool pointed) {
    std::vector<glm::vec2> outline = {{-halfWidth, -0.3f}, {halfWidth, -0.3f}};
    const float shoulder = height - halfWidth;
    if (pointed) {
        outline.push_back({halfWidth, shoulder});
        outline.push_back({0.0f, height});
        outline.push_back({-halfWidth, shoulder});
        return outline;
    }
    for (int i = 0; i <= 8; ++i) {
        const float a = 3.14159265f * i / 8.0f;
        outline.push_back({halfWidth * std::cos(a), shoulder + halfWidth * std::sin(a)});
    }
    return outline;
}
}  // namespace

void addGraveMarker(SceneModel& scene, const char* object, glm::vec3 base, float yaw, float lean,
                    GraveMarker marker, float scale) {
    Part stone = part(scene, object, mat::kTombstone);
    MeshBuilder local;
    const glm::vec3 across(1, 0, 0);
    const glm::vec3 up(0, 1, 0);
    switch (marker) {
        case GraveMarker::Rounded:
        case GraveMarker::Pointed:
            addExtrudedOutline(local, {0, 0, 0}, across, up,
                               roundedOutline(0.3f, 0.85f, marker == GraveMarker::Pointed), 0.12f,
                               stone.repeat, false);
            break;
        case GraveMarker::Cross:
            addBox(local, {-0.06f, -0.3f, -0.06f}, {0.06f, 1.05f, 0.06f}, stone.repeat, kNoBottom);
            addBox(local, {-0.3f, 0.62f, -0.05f}, {-0.06f, 0.74f, 0.05f}, stone.repeat,
                   kAllFaces & ~kFacePosX);
            addBox(local, {0.06f, 0.62f, -0.05f}, {0.3f, 0.74f, 0.05f}, stone.repeat,
                   kAllFaces & ~kFaceNegX);
            addBox(local, {-0.2f, -0.3f, -0.15f}, {0.2f, 0.12f, 0.15f}, stone.repeat, kNoBottom);
            break;
        case GraveMarker::Obelisk:
            addBox(local, {-0.25f, -0.3f, -0.25f}, {0.25f, 0.25f, 0.25f}, stone.repeat, kNoBottom);
            addExtrudedOutline(local, {0, 0.25f, 0}, across, up,
                               {{-0.14f, 0.0f}, {0.14f, 0.0f}, {0.09f, 1.2f}, {-0.09f, 1.2f}},
                               0.24f, stone.repeat, false);
            addPyramidSides(local,
                            {{-0.09f, 1.45f, 0.09f},
                             {0.09f, 1.45f, 0.09f},
                             {0.09f, 1.45f, -0.09f},
                             {-0.09f, 1.45f, -0.09f}},
                            {0.0f, 1.65f, 0.0f}, stone.repeat);
            break;
    }
    // Scale, lean back about x, turn about y, then stand on the ground.
    glm::mat4 m(1.0f);
    const float c = std::cos(yaw);
    const float s = std::sin(yaw);
    const float cl = std::cos(lean);
    const float sl = std::sin(lean);
    const glm::mat3 turn(glm::vec3(c, 0, -s), glm::vec3(0, 1, 0), glm::vec3(s, 0, c));
    const glm::mat3 tilt(glm::vec3(1, 0, 0), glm::vec3(0, cl, -sl), glm::vec3(0, sl, cl));
    const glm::mat3 linear = turn * tilt * scale;
    m[0] = glm::vec4(linear[0], 0);
    m[1] = glm::vec4(linear[1], 0);
    m[2] = glm::vec4(linear[2], 0);
    m[3] = glm::vec4(base, 1);
    stone.mesh.append(local, m);
}
