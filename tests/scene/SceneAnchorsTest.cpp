// The program animates, lights and retextures parts of the house by name at fixed places: the
// generated model must put those parts where the program expects them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "SceneGeometry.h"

namespace {
class SceneAnchorsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        meshes = new std::vector<SceneMesh>(importSceneMeshes(sceneModelPath()));
    }
    static void TearDownTestSuite() {
        delete meshes;
        meshes = nullptr;
    }
    void SetUp() override { ASSERT_FALSE(meshes->empty()) << "run the asset generator first"; }

    static const SceneMesh& named(const std::string& name) {
        for (const SceneMesh& m : *meshes) {
            if (m.name == name) return m;
        }
        ADD_FAILURE() << "no mesh named " << name;
        static const SceneMesh empty;
        return empty;
    }
    static void bounds(const SceneMesh& mesh, glm::vec3& lo, glm::vec3& hi) {
        lo = glm::vec3(std::numeric_limits<float>::infinity());
        hi = -lo;
        for (const glm::vec3& p : mesh.positions) {
            lo = glm::min(lo, p);
            hi = glm::max(hi, p);
        }
    }
    static std::vector<SceneMesh>* meshes;
};
std::vector<SceneMesh>* SceneAnchorsTest::meshes = nullptr;
}  // namespace

TEST_F(SceneAnchorsTest, BoneFloatsOnTheBrewAroundItsSpinAxis) {
    const SceneMesh& bone = named("bone");
    ASSERT_FALSE(bone.positions.empty());
    for (const glm::vec3& p : bone.positions) {
        EXPECT_LE(glm::length(glm::vec2(p.x - 3.19104f, p.z - 3.15755f)), 0.35f);
        EXPECT_NEAR(p.y, -0.6f, 0.1f);
    }
}

TEST_F(SceneAnchorsTest, ChairRockersRestOnTheFloorAlongTheirArc) {
    const SceneMesh& chair = named("Chair_chair");
    glm::vec3 lo;
    glm::vec3 hi;
    bounds(chair, lo, hi);
    EXPECT_NEAR(lo.y, -1.6f, 0.01f);
    EXPECT_LE(hi.y, -0.2f);
    EXPECT_NEAR(0.5f * (lo.x + hi.x), -3.5f, 0.1f);
    // Every point of the chair lies within the rockers' circle about the rocking axis, so rocking
    // never pushes it through the floor.
    for (const glm::vec3& p : chair.positions) {
        EXPECT_LE(glm::length(glm::vec2(p.y + 0.5f, p.z + 5.1f)), 1.1f + 1e-3f);
    }
}

TEST_F(SceneAnchorsTest, GateLeavesCloseTheOpeningBetweenTheirHinges) {
    glm::vec3 lo;
    glm::vec3 hi;
    bounds(named("rightDoor"), lo, hi);
    EXPECT_GE(lo.x, -2.5f);
    EXPECT_LE(hi.x, 1.025f);
    EXPECT_NEAR(lo.x, -2.47f, 0.05f);
    EXPECT_NEAR(hi.x, 1.025f, 0.05f);
    EXPECT_NEAR(0.5f * (lo.z + hi.z), 19.49f, 0.02f);
    EXPECT_LE(hi.y, 1.5f);
    bounds(named("leftDoor"), lo, hi);
    EXPECT_GE(lo.x, -5.97f);
    EXPECT_LE(hi.x, -2.44f);
    EXPECT_NEAR(lo.x, -5.97f, 0.05f);
    EXPECT_NEAR(hi.x, -2.47f, 0.05f);
    EXPECT_NEAR(0.5f * (lo.z + hi.z), 19.49f, 0.02f);
}

TEST_F(SceneAnchorsTest, SwappedWindowSitsOnTheFacadeAboveTheDoor) {
    glm::vec3 lo;
    glm::vec3 hi;
    bounds(named("main_construction.003_Vert.005"), lo, hi);
    EXPECT_NEAR(lo.x, -2.2f, 0.05f);
    EXPECT_NEAR(hi.x, -0.7f, 0.05f);
    EXPECT_NEAR(lo.y, 2.3f, 0.05f);
    EXPECT_NEAR(hi.y, 3.7f, 0.05f);
    EXPECT_GT(lo.z, 0.4f);
    EXPECT_LT(hi.z, 0.42f);
}

TEST_F(SceneAnchorsTest, NothingStandsNearTheShadowCastingLight) {
    const glm::vec3 light(-7.1f, -1.1f, -6.4f);
    float nearest = std::numeric_limits<float>::infinity();
    std::string where;
    for (const SceneMesh& m : *meshes) {
        for (const glm::uvec3& t : m.triangles) {
            const float d =
                pointTriangleDistance(light, m.positions[t.x], m.positions[t.y], m.positions[t.z]);
            if (d < nearest) {
                nearest = d;
                where = m.name;
            }
        }
    }
    EXPECT_GE(nearest, 0.3f) << "nearest surface belongs to " << where;
}

TEST_F(SceneAnchorsTest, EveryTriangleIsWoundCounterClockwiseTowardsItsNormals) {
    for (const SceneMesh& m : *meshes) {
        ASSERT_EQ(m.normals.size(), m.positions.size()) << m.name << " has no normals";
        EXPECT_TRUE(m.hasTextureCoordinates) << m.name;
        EXPECT_TRUE(m.hasTangents) << m.name;
        int wrong = 0;
        for (const glm::uvec3& t : m.triangles) {
            const glm::vec3 face = glm::cross(m.positions[t.y] - m.positions[t.x],
                                              m.positions[t.z] - m.positions[t.x]);
            const glm::vec3 normals = m.normals[t.x] + m.normals[t.y] + m.normals[t.z];
            if (glm::length(face) > 1e-8f && glm::dot(face, normals) <= 0.0f) ++wrong;
        }
        EXPECT_EQ(wrong, 0) << m.name << " has triangles wound against their normals";
    }
}

TEST_F(SceneAnchorsTest, GroundReachesPastTheFarPlaneAllRound) {
    // The far plane is 150 m; the flight stays within 17 m of the origin.
    glm::vec3 lo;
    glm::vec3 hi;
    bounds(named("ground"), lo, hi);
    EXPECT_LE(lo.x, -170.0f);
    EXPECT_GE(hi.x, 170.0f);
    EXPECT_LE(lo.z, -170.0f);
    EXPECT_GE(hi.z, 180.0f);
}
