#include <gmock/gmock.h>

#include <memory>

#include "EffectTestSupport.h"
#include "Effects/Quad.h"
#include "GlTestFixture.h"
#include "Globals.h"
#include "LetterboxQuad.h"
#include "Shell.h"
#include "StdoutCapture.h"
#include "TestScene.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {
// A floor under the camera's start and a wall ahead of it, plus whatever a test adds.
std::vector<SceneBox> basicScene(std::vector<SceneBox> more = {}) {
    std::vector<SceneBox> boxes = {{"Floor", {-30, -2.7f, -10}, {30, -1.7f, 40}},
                                   {"Wall", {-6, -1.7f, 10}, {2, 3, 11}}};
    boxes.insert(boxes.end(), more.begin(), more.end());
    return boxes;
}

class RendererTest : public SceneGlTest {
protected:
    Renderer* r = &renderer;  // the effects work with the process-wide renderer
    std::string setupOutput;

    void start(const std::vector<SceneBox>& boxes, int width = kWidth, int height = kHeight) {
        scene = std::make_unique<TestScene>(boxes);
        house.meshes.clear();
        StdoutCapture capture;
        r->init(static_cast<float>(width), static_cast<float>(height));
        r->loadScene();
        setupOutput = capture.finish();
    }
    void frame(float dt) {
        r->update(dt);
        r->render();
    }
    float angleOf(const Mesh& mesh) {
        // Turn about y read back from the rotated x axis.
        return glm::degrees(std::atan2(-mesh.modelMatrix[0][2], mesh.modelMatrix[0][0]));
    }
};
}  // namespace

TEST_F(RendererTest, SetUpAndAHundredFramesLeaveNoErrorAndNoMissingUniform) {
    start(basicScene());
    StdoutCapture capture;
    for (int i = 0; i < 100; ++i) frame(1.0f / 60.0f);
    const std::string frames = capture.finish();
    EXPECT_THAT(setupOutput, Not(HasSubstr("Uniform does not exist")));
    EXPECT_THAT(setupOutput, Not(HasSubstr("not complete")));
    EXPECT_THAT(frames, Not(HasSubstr("Uniform does not exist")));
    EXPECT_EQ(r->halfWidth, 160);
}

TEST_F(RendererTest, HalfSizeRoundsHalvesAwayFromZero) {
    start(basicScene(), 1279, 767);
    EXPECT_EQ(r->halfWidth, 640);
    EXPECT_EQ(r->halfHeight, 384);
    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, r->halfResTarget->getTexture());
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 640);
}

TEST_F(RendererTest, GBufferHoldsGeometryWhereDrawnAndItsClearValuesElsewhere) {
    start(basicScene());
    r->cameraPath.active = false;
    r->camera.setLookAt({-2, 0, 20}, {-2, 0, 0});  // the wall fills the middle, sky above it
    r->setSwitch("hdrMode", 0);  // the target keeps the lit HDR scene, not its tone-mapped copy
    frame(0.0f);
    const std::vector<float> fragPos = readTextureRgba(r->gBuffer.fragPos, kWidth, kHeight);
    const std::vector<float> colour = readTextureRgba(r->gBuffer.colorSpec, kWidth, kHeight);
    const size_t centre = (kHeight / 2 * kWidth + kWidth / 2) * 4;
    EXPECT_FLOAT_EQ(fragPos[centre + 3], 1.0f);
    EXPECT_NEAR(fragPos[centre + 2], 11.0f, 0.05f);  // the wall's front face
    const size_t top = ((kHeight - 1) * kWidth + kWidth / 2) * 4;
    EXPECT_FLOAT_EQ(fragPos[top + 3], 0.0f);  // cleared to zero where nothing was drawn
    EXPECT_NEAR(colour[top], 0.5f, 0.01f);     // and the colour to the clear colour
    EXPECT_NEAR(colour[centre], 160.0f / 255.0f, 0.01f);  // texture value, still encoded

    const std::vector<float> lit = readTextureRgba(r->fullResTarget->getTexture(), kWidth, kHeight);
    // Sky where no geometry: facing -Z, the -Z face's colour, decoded to linear light.
    const glm::vec3 sky = TestScene::skyFaceColour(5) / 255.0f;
    EXPECT_NEAR(lit[top], std::pow(sky.r, 2.2f), 0.03f);
    EXPECT_NEAR(lit[top + 1], std::pow(sky.g, 2.2f), 0.03f);
    EXPECT_GT(lit[centre] + lit[centre + 1] + lit[centre + 2], 0.0f);
}

TEST_F(RendererTest, SkyCoversEveryDirectionWithBackFacesCulled) {
    start({});
    r->cameraPath.active = false;
    const glm::vec3 directions[] = {{1, 0, 0}, {-1, 0, 0}, {0, 0, 1},  {0, 0, -1},
                                    {1, 1, 1}, {-1, -1, 1}, {0, 1, 0.01f}, {0, -1, 0.01f}};
    for (const glm::vec3& direction : directions) {
        r->camera.setLookAt({0, 0, 0}, direction);
        frame(0.0f);
        const std::vector<float> lit =
            readTextureRgba(r->fullResTarget->getTexture(), kWidth, kHeight);
        size_t dark = 0;
        for (size_t i = 0; i < lit.size(); i += 4) dark += lit[i] + lit[i + 1] + lit[i + 2] < 0.01f;
        EXPECT_EQ(dark, 0u) << "looking along " << direction.x << " " << direction.y << " "
                            << direction.z;
    }
}

TEST_F(RendererTest, MeshOutsideTheFrustumIsNotDrawn) {
    start({{"Ahead", {-1, -1, 5}, {1, 1, 6}}, {"Behind", {-1, -1, 40}, {1, 1, 41}}});
    r->cameraPath.active = false;
    r->camera.setLookAt({0, 0, 20}, {0, 0, 0});
    GLuint query = 0;
    glGenQueries(1, &query);
    const auto primitives = [&] {
        r->update(0.0f);
        glBeginQuery(GL_PRIMITIVES_GENERATED, query);
        r->render();
        glEndQuery(GL_PRIMITIVES_GENERATED);
        GLuint count = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &count);
        return count;
    };
    const GLuint facing = primitives();
    r->camera.setLookAt({0, 0, 20}, {0, 0, 40});  // turn round: now only "Behind" is ahead
    EXPECT_EQ(primitives(), facing);
    r->camera.setLookAt({0, 0, 20}, {20, 0, 20});  // neither box in view
    EXPECT_EQ(primitives(), facing - 12);
}

TEST_F(RendererTest, DoorsStopAfterNinetyDegreesWhateverTheFrameRate) {
    start({{"rightDoor", {1.025f, -1.7f, 19.4f}, {4.5f, 1.2f, 19.58f}},
           {"leftDoor", {-5.97f, -1.7f, 19.4f}, {-2.47f, 1.2f, 19.58f}}});
    // Hundreds of updates: the simulations, which move no mesh, would take minutes on llvmpipe.
    for (const char* name : {"doSmoke", "doFire", "doRain"}) r->setSwitch(name, 0);
    for (const float fps : {60.0f, 7.0f}) {
        Mesh& right = house.meshes[0];
        Mesh& left = house.meshes[1];
        right.setModelMatrix(glm::mat4(1.0f));
        left.setModelMatrix(glm::mat4(1.0f));
        r->doorAngle = 0.0f;
        const float dt = 1.0f / fps;
        for (int i = 0; i < static_cast<int>(8.0f * fps); ++i) r->update(dt);
        const float turned = -angleOf(right);
        EXPECT_LE(turned, 90.0f + 1e-3f) << fps;
        EXPECT_GT(turned, 90.0f - 16.0f * dt) << fps;
        EXPECT_NEAR(angleOf(left), turned, 1e-3f);
        // The hinge stays where it was: a point on its axis is not moved.
        const glm::vec4 hinge = right.modelMatrix * glm::vec4(1.025f, 0.0f, 19.49f, 1.0f);
        EXPECT_NEAR(hinge.x, 1.025f, 1e-3f);
        EXPECT_NEAR(hinge.z, 19.49f, 1e-3f);
    }
}

TEST_F(RendererTest, ChairFlipsOnTheFrameWhoseSwingReachesNine) {
    start(basicScene({{"Chair_chair", {-4, -1.6f, -6}, {-3, -0.2f, -4}},
                      {"Chair_chairs", {-4, -1.6f, -9}, {-3, -0.2f, -8}}}));
    const int chair = r->chairIndex;
    ASSERT_EQ(house.meshes[chair].name, "Chair_chair");
    for (int i = 0; i < 7; ++i) r->update(0.125f);  // swing 1.25 a frame: 8.75 after seven
    EXPECT_EQ(r->chairSign, 1.0f);
    r->update(0.125f);  // reaches 10: this frame flips and resets the swing
    EXPECT_EQ(r->chairSign, -1.0f);
    EXPECT_EQ(r->chairSwing, 0.0f);
    r->update(0.0625f);
    EXPECT_NEAR(r->chairSwing, 0.625f, 1e-6f);

    r->update(0.95f);  // a single long frame flips at once and resets the swing
    EXPECT_EQ(r->chairSign, 1.0f);
    EXPECT_EQ(r->chairSwing, 0.0f);
    // The near-namesake never moves.
    const Mesh* other = nullptr;
    for (const Mesh& mesh : house.meshes) {
        if (mesh.name == "Chair_chairs") other = &mesh;
    }
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->modelMatrix, glm::mat4(1.0f));
}

TEST_F(RendererTest, LaterOfTwoNamesakesTakesTheRoleAndMissingRolesAreLeftAlone) {
    start(basicScene({{"bone", {3, -0.7f, 3}, {3.3f, -0.6f, 3.2f}}}));
    EXPECT_EQ(r->boneIndex, 2);
    EXPECT_EQ(r->chairIndex, -1);
    EXPECT_EQ(r->cameraPath.windowMesh, nullptr);
    for (int i = 0; i < 10; ++i) frame(0.1f);
    EXPECT_NE(house.meshes[2].modelMatrix, glm::mat4(1.0f));
    EXPECT_EQ(house.meshes[0].modelMatrix, glm::mat4(1.0f));  // no chair, no door: untouched

    // The importer merges namesakes of one file, so the scan is checked on a list of its own.
    house.meshes.resize(5);
    house.meshes[3].name = "bone";
    house.meshes[4].name = "Bone";
    r->findNamedMeshes();
    EXPECT_EQ(r->boneIndex, 3);
}

TEST_F(RendererTest, EmptyHouseRendersFramesAndTheFlightGoesOn) {
    start({});
    EXPECT_TRUE(house.meshes.empty());
    for (int i = 0; i < 5; ++i) frame(1.0f);
    EXPECT_NE(r->camera.position, glm::vec3(-2.8f, 0.1f, 28.0f));
}

TEST_F(RendererTest, RenderLeavesTheDocumentedState) {
    start(basicScene());
    glEnable(GL_BLEND);
    frame(0.016f);
    glDisable(GL_BLEND);  // the composite does not blend; blending belongs to the effects
    frame(0.016f);
    GLint value = -1;
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    glGetIntegerv(GL_DEPTH_WRITEMASK, &value);
    EXPECT_EQ(value, GL_TRUE);
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &value);
    EXPECT_EQ(value, 0);
    glGetIntegerv(GL_CURRENT_PROGRAM, &value);
    EXPECT_EQ(value, 0);
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &value);
    EXPECT_EQ(value, 0);
}

// A crate on the floor in front of the wall, seen from above: the lit scene with ambient occlusion
// on and off, compared where surfaces meet and on open floor.
TEST_F(RendererTest, AmbientOcclusionDarkensContactsAndCreasesButNotOpenFloor) {
    start(basicScene({{"Crate", {-1, -1.7f, 13}, {0.5f, -0.7f, 14.5f}}}));
    r->cameraPath.active = false;
    r->camera.setLookAt({-2.5f, 0.5f, 19}, {-2, -1.7f, 12.5f});
    for (const char* name : {"hdrMode", "bloomMode", "doFog", "doSmoke", "doFire", "doRain"})
        r->setSwitch(name, 0);  // the target keeps the plain lit surfaces
    const auto litScene = [&](int occlusion) {
        r->setSwitch("doAmbientOcclusion", occlusion);
        frame(0.0f);
        return readTextureRgba(r->fullResTarget->getTexture(), kWidth, kHeight);
    };
    const std::vector<float> on = litScene(1);
    const std::vector<float> off = litScene(0);
    // Brightness with occlusion over brightness without, over the 3 x 3 pixels at a world point.
    const auto ratio = [&](glm::vec3 world) {
        const glm::vec4 clip = r->camera.projection * r->camera.view * glm::vec4(world, 1.0f);
        const int px = static_cast<int>((clip.x / clip.w * 0.5f + 0.5f) * kWidth);
        const int py = static_cast<int>((clip.y / clip.w * 0.5f + 0.5f) * kHeight);
        float sumOn = 0.0f, sumOff = 0.0f;
        for (int y = py - 1; y <= py + 1; ++y) {
            for (int x = px - 1; x <= px + 1; ++x) {
                for (int c = 0; c < 3; ++c) {
                    sumOn += channel(on, kWidth, x, y, c);
                    sumOff += channel(off, kWidth, x, y, c);
                }
            }
        }
        EXPECT_GT(sumOff, 0.0f);
        return sumOn / sumOff;
    };
    const float crateFoot = ratio({-0.25f, -1.7f, 14.6f});  // floor just in front of the crate
    const float wallFoot = ratio({-4.0f, -1.7f, 11.1f});    // floor just in front of the wall
    // Open floor, 2.5 m from the crate and 4.5 m from the wall.
    const float openFloor = ratio({-3.5f, -1.7f, 15.5f});
    EXPECT_LT(crateFoot, 0.9f);
    EXPECT_LT(wallFoot, 0.9f);
    EXPECT_GT(openFloor, 0.97f);
}

TEST(Letterbox, WideImageFillsTheWidthAndIsCentred) {
    float hx = 0.0f;
    float hy = 0.0f;
    letterboxExtents(1280.0f, 768.0f, 2000.0f, 1000.0f, hx, hy);
    EXPECT_FLOAT_EQ(hx, 1.0f);
    EXPECT_FLOAT_EQ(hy * 768.0f, 640.0f);  // drawn 1280 x 640
    letterboxExtents(1280.0f, 768.0f, 500.0f, 1000.0f, hx, hy);
    EXPECT_FLOAT_EQ(hy, 1.0f);
    EXPECT_FLOAT_EQ(hx * 1280.0f, 384.0f);
}

TEST_F(RendererTest, LoadingScreenIsLetterboxedAndKeepsTheRestOfTheBackBuffer) {
    scene = std::make_unique<TestScene>(basicScene());
    writeSolidImage(scene->path() + "/res/loading.jpg", 64, 32, 3, 255);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    StdoutCapture capture;
    r->init(kWidth, kHeight);
    capture.finish();
    const std::vector<float> window = readWindowRgba(kWidth, kHeight);
    // 2:1 in 320 x 192: drawn 320 x 160, with 16-row bars above and below.
    const auto at = [&](int x, int y) { return glm::vec3(window[(y * kWidth + x) * 4],
                                                         window[(y * kWidth + x) * 4 + 1],
                                                         window[(y * kWidth + x) * 4 + 2]); };
    EXPECT_EQ(at(160, 8), glm::vec3(0, 0, 1));
    EXPECT_EQ(at(160, 185), glm::vec3(0, 0, 1));
    EXPECT_NEAR(at(160, 20).r, 1.0f, 0.02f);  // shown as stored, not encoded twice
    EXPECT_NEAR(at(0, 96).g, 1.0f, 0.02f);
    EXPECT_NEAR(at(319, 171).b, 1.0f, 0.02f);
}
