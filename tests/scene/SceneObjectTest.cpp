#include <gtest/gtest.h>

#include "BoundingBox.h"
#include "EffectTestSupport.h"
#include "GlTestFixture.h"
#include "Mesh.h"

namespace {
void expectNear(glm::vec3 actual, glm::vec3 expected) {
    EXPECT_LT(glm::distance(actual, expected), 1e-5f)
        << actual.x << ", " << actual.y << ", " << actual.z;
}
}  // namespace

// Catches transforms applied in object space instead of about the world origin: the door's
// turn about its hinge (translate, rotate, translate back) relies on it.
TEST(Obj, TransformsActInWorldSpaceAboutTheOrigin) {
    Obj object;
    object.translate({1, 0, 0});
    object.rotate(90.0f, {0, 1, 0});
    expectNear(object.position, {0, 0, -1});
    object.translate({0, 2, 0});
    object.scale({2, 3, 4});  // scales the translation too: the origin is the pivot
    expectNear(object.position, {0, 6, -4});
}

class SceneObjectGlTest : public GlTest {};

// Catches a box placed from unsorted corners or scaled by the half size, and the boxes' shared
// program rebuilt (and recompiled) for every box.
TEST_F(SceneObjectGlTest, BoundsPlaceTheBoxAndBoxesShareOneProgram) {
    Mesh mesh;
    mesh.setBounds({3, 4, 6}, {-1, 0, 2});
    expectNear(mesh.center, {1, 2, 4});
    const glm::mat4& m = mesh.boundingBox.modelMatrix;
    expectNear(glm::vec3(m * glm::vec4(0.5f, 0.5f, 0.5f, 1.0f)), {3, 4, 6});
    expectNear(glm::vec3(m * glm::vec4(-0.5f, -0.5f, -0.5f, 1.0f)), {-1, 0, 2});
    const GLuint program = BoundingBox::sharedProgram->id;
    EXPECT_EQ(printedBy([] { BoundingBox another; }), "");  // compiles nothing the second time
    EXPECT_EQ(BoundingBox::sharedProgram->id, program);
}
