// The program animates, lights and retextures parts of the house by name at fixed places, and
// flies the camera through it: the generated model must put those parts where the program expects
// them, and leave the flight room.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "CameraPath.h"
#include "PathClearance.h"
#include "SceneAnchors.h"
#include "TestFiles.h"

namespace {
std::string sceneModelPath() {
    return std::string(MURKMOOR_SOURCE_DIR) + "/res/myhouse/myhouse.obj";
}

const SceneMesh& named(const std::vector<SceneMesh>& meshes, const std::string& name) {
    static const SceneMesh none;
    for (const SceneMesh& m : meshes)
        if (m.name == name) return m;
    ADD_FAILURE() << "no mesh named " << name;
    return none;
}

// The low and the high corner of a mesh's bounding box.
std::pair<glm::vec3, glm::vec3> bounds(const SceneMesh& mesh) {
    glm::vec3 lo(std::numeric_limits<float>::infinity()), hi = -lo;
    for (const glm::vec3& p : mesh.positions) lo = glm::min(lo, p), hi = glm::max(hi, p);
    return {lo, hi};
}
}  // namespace

// Catches a moved or renamed part: the gate leaves must fill the opening between the hinges they
// turn about, the swapped window sit on the facade above the door, the bone float on the brew
// around its spin axis, the chair rock on the floor, the ground reach past the far plane.
TEST(SceneAnchorsTest, PartsSitWhereTheProgramMovesThemAndTheFlightClearsEverySurface) {
    using namespace anchors;
    const std::vector<SceneMesh> meshes = importSceneMeshes(sceneModelPath());
    ASSERT_FALSE(meshes.empty()) << "run the asset generator first";
    const float kFree = std::numeric_limits<float>::quiet_NaN();
    struct Row {
        const char* name;
        glm::vec3 lo, hi;
        float tolerance;
    } rows[] = {
        {kRightGateMesh,
         {kGateMeetX, kFloor, kGatePlaneZ},
         {kRightGateHinge.x, kFree, kGatePlaneZ},
         0.05f},
        {kLeftGateMesh,
         {kLeftGateHinge.x, kFloor, kGatePlaneZ},
         {kGateMeetX, kFree, kGatePlaneZ},
         0.05f},
        {kChangingWindowMesh, glm::vec3(kChangingWindowMin, kFacadeFront + 0.01f),
         glm::vec3(kChangingWindowMax, kFacadeFront + 0.01f), 0.05f},
        {kChairMesh,
         {kChairPivot.x - 0.3f, kFloor, kFree},
         {kChairPivot.x + 0.3f, kFree, kFree},
         0.1f},
    };
    for (const Row& row : rows) {
        const auto [lo, hi] = bounds(named(meshes, row.name));
        const glm::vec3 offLo = glm::abs(lo - row.lo), offHi = glm::abs(hi - row.hi);
        for (int axis = 0; axis < 3; ++axis)  // a NaN (kFree) compares false: not checked
            EXPECT_FALSE(offLo[axis] > row.tolerance || offHi[axis] > row.tolerance)
                << row.name << ", axis " << axis;
    }

    ASSERT_FALSE(named(meshes, kBoneMesh).positions.empty());
    for (const glm::vec3& p : named(meshes, kBoneMesh).positions)
        ASSERT_TRUE(glm::distance(glm::vec2(p.x, p.z), kBoneAxis) <= kBoneReach &&
                    std::fabs(p.y - kBoneHeight) <= 0.1f);
    // Every point of the chair lies within the rockers' circle about the rocking axis, so rocking
    // never pushes it through the floor.
    for (const glm::vec3& p : named(meshes, kChairMesh).positions)
        ASSERT_LE(glm::distance(glm::vec2(p.y, p.z), glm::vec2(kChairPivot.y, kChairPivot.z)),
                  kChairPivot.y - kFloor + 1e-3f);

    // The far plane is 150 m; the flight stays within 17 m of the origin.
    const auto [lo, hi] = bounds(named(meshes, "ground"));
    EXPECT_TRUE(lo.x <= -170.0f && lo.z <= -170.0f && hi.x >= 170.0f && hi.z >= 180.0f);

    // Catches a surface through the shadow-casting point light (its cube map would be black) and
    // triangles wound against their normals (back-face culling would drop them). The wisp's own
    // ball of light is around it: every face of it turns its back on the light, so the shadow
    // pass culls them all.
    std::vector<SceneMesh> aroundTheWisp = meshes;
    const auto ball = std::find_if(aroundTheWisp.begin(), aroundTheWisp.end(),
                                   [](const SceneMesh& m) { return m.name == "wisp"; });
    ASSERT_NE(ball, aroundTheWisp.end());
    for (const glm::uvec3& t : ball->triangles) {
        const glm::vec3 a = ball->positions[t.x], b = ball->positions[t.y],
                        c = ball->positions[t.z];
        EXPECT_GT(glm::dot(glm::cross(b - a, c - a), (a + b + c) / 3.0f - kBlueWisp), 0.0f);
    }
    aroundTheWisp.erase(ball);
    EXPECT_TRUE(clearanceMisses(aroundTheWisp, {{kBlueWisp, 0.0f}}, kLeastClearance).empty());
    for (const SceneMesh& m : meshes) {
        ASSERT_EQ(m.normals.size(), m.positions.size()) << m.name << " has no normals";
        EXPECT_TRUE(m.hasTextureCoordinates && m.hasTangents) << m.name;
        int wrong = 0;
        for (const glm::uvec3& t : m.triangles) {
            const glm::vec3 a = m.positions[t.x], b = m.positions[t.y], c = m.positions[t.z];
            const glm::vec3 face = glm::cross(b - a, c - a);
            const glm::vec3 normals = m.normals[t.x] + m.normals[t.y] + m.normals[t.z];
            if (glm::length(face) > 1e-8f && glm::dot(face, normals) <= 0.0f) ++wrong;
        }
        EXPECT_EQ(wrong, 0) << m.name << " has triangles wound against their normals";
    }

    // Catches a key point or a model change that puts the eye within 0.3 m of a wall, the roof or
    // a gate leaf, at the angle the leaves have turned to when the camera passes (the near plane
    // would cut the surface open on screen). The samples reach the end, densely.
    const std::vector<KeyPoint> flight = CameraPath::builtInKeyPoints();
    const std::vector<FlightSample> samples = sampleFlight(flight, 0.05f);
    EXPECT_EQ(samples.back().eye, flight.back().position);
    for (size_t i = 1; i < samples.size(); ++i)
        ASSERT_LE(glm::distance(samples[i].eye, samples[i - 1].eye), 0.05f + 1e-4f);
    // An eye placed on a corner of the house is reported: the check can see the walls.
    EXPECT_EQ(clearanceMisses(meshes, {{meshes[0].positions[0], 0.0f}}, kLeastClearance).size(),
              1u);
    const std::vector<ClearanceMiss> misses = clearanceMisses(meshes, samples, kLeastClearance);
    EXPECT_TRUE(misses.empty()) << misses.size() << " of " << samples.size()
                                << " samples, the first " << misses[0].distance << " m from "
                                << misses[0].mesh << " at t = " << misses[0].sample.seconds << " s";
}
