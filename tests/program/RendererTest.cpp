#include <gmock/gmock.h>

#include <glm/gtc/type_ptr.hpp>
#include <map>
#include <memory>
#include <string>

#include "EffectTestSupport.h"
#include "Effects/BlurFrag.h"
#include "Effects/FireParticles.h"
#include "Effects/Quad.h"
#include "Effects/RainParticles.h"
#include "Effects/SmokeVolume.h"
#include "Effects/Ssao.h"
#include "Globals.h"
#include "RobustnessSupport.h"
#include "SceneAnchors.h"
#include "ShaderProgram.h"
#include "TextureUnits.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {
std::vector<SceneBox> basicScene(std::vector<SceneBox> more = {}) {  // floor, wall and more
    const std::vector<SceneBox> base = floorAndWall();
    more.insert(more.begin(), base.begin(), base.end());
    return more;
}

class RendererTest : public SceneGlTest {
protected:
    Renderer* r = &renderer;  // the effects work with the process-wide renderer
    std::string setupOutput;

    void start(const std::vector<SceneBox>& boxes, int width = kWidth, int height = kHeight) {
        scene = std::make_unique<TestScene>(boxes);
        setupOutput = startRenderer(width, height);
    }
    void frame(float dt) {
        r->update(dt);
        r->render();
    }
    // The simulations move no mesh and are slow on llvmpipe: tests of the animations go without.
    void withoutSimulations() {
        for (const char* name : {"doSmoke", "doFire", "doRain"}) r->setSwitch(name, 0);
    }
    float angleOf(const Mesh& mesh) {  // the turn about y, read from the rotated x axis
        return glm::degrees(std::atan2(-mesh.modelMatrix[0][2], mesh.modelMatrix[0][0]));
    }
};
}  // namespace

// Every sampler of every program the frame draws with reads the unit that the C++ binds its
// texture on: the named units of TextureUnits.h, whether set by the code or bound in the shader.
TEST_F(RendererTest, EverySamplerReadsTheUnitItsTextureIsBoundOn) {
    start(basicScene());
    std::map<std::string, GLint> lighting = {{"u_texColorSpec", units::kColorSpec},
                                             {"u_texFragPos", units::kFragPos},
                                             {"u_texNormal", units::kNormal},
                                             {"u_texViewSpace", units::kViewSpace},
                                             {"u_texAmbientOcclusion", units::kAmbientOcclusion}};
    for (int i = 0; i < units::kShadowCubeCount; ++i) {
        lighting["u_texShadowsCubemaps[" + std::to_string(i) + "]"] = units::kShadowCubes + i;
    }
    const std::pair<const ShaderProgram*, std::map<std::string, GLint>> programs[] = {
        {r->geometryProgram,
         {{"u_texDiffuse", units::kDiffuseMap},
          {"u_texSpecular", units::kSpecularMap},
          {"u_texNormal", units::kNormalMap}}},
        {r->lightingProgram, lighting},
        {r->skyboxProgram, {{"u_tex", units::kImage}}},
        {r->quadProgram, {{"u_tex", units::kImage}}},
        {r->finalProgram, {{"u_texColor", units::kImage}, {"u_texBloom", units::kBloom}}},
        {r->blurFrag->programH, {{"u_tex", units::kImage}}},
        {r->blurFrag->programV, {{"u_tex", units::kImage}}},
        {&r->ssao->ssaoProgram,
         {{"gPosition", units::kSsaoPosition},
          {"gNormal", units::kSsaoNormal},
          {"texNoise", units::kSsaoNoise}}},
        {&r->ssao->blurProgram, {{"ssaoInput", units::kImage}}},
        {&r->smoke->rayMarchProgram,
         {{"u_frontFaces", units::kSmokeFrontFaces},
          {"u_backFaces", units::kSmokeBackFaces},
          {"u_volumePresssureGradient", units::kSmokeVolume},
          {"u_scenePosDis", units::kSmokeScene}}},
        {&r->smoke->computeProgram, {{"volumeVelocitySampler", units::kSmokeVelocity}}},
        {&r->fire->drawProgram,
         {{"texFire", units::kFireSprite},
          {"texSmoke", units::kSmokeSprite},
          {"sceneFragPos", units::kFireScene}}},
    };
    for (const auto& [program, expected] : programs) {
        GLint count = 0;
        glGetProgramiv(program->id, GL_ACTIVE_UNIFORMS, &count);
        int samplers = 0;
        for (GLuint i = 0; i < static_cast<GLuint>(count); ++i) {
            char name[128];
            GLint size = 0;
            GLenum type = 0;
            glGetActiveUniform(program->id, i, sizeof(name), nullptr, &size, &type, name);
            if (type != GL_SAMPLER_2D && type != GL_SAMPLER_3D && type != GL_SAMPLER_CUBE) continue;
            std::string base = name;
            base = base.substr(0, base.find('['));
            for (GLint element = 0; element < size; ++element) {
                const std::string full =
                    size > 1 ? base + "[" + std::to_string(element) + "]" : base;
                GLint unit = -1;
                glGetUniformiv(program->id, glGetUniformLocation(program->id, full.c_str()), &unit);
                ASSERT_EQ(expected.count(full), 1u) << full << " has no named unit";
                EXPECT_EQ(unit, expected.at(full)) << full;
                ++samplers;
            }
        }
        EXPECT_GT(samplers, 0) << program->id;
    }
}

// Complete targets, half sizes rounded up, and the documented GL state left whatever came before.
TEST_F(RendererTest, FramesRenderOnCompleteTargetsAndLeaveTheDocumentedState) {
    start(basicScene(), 1279, 767);
    EXPECT_THAT(setupOutput, Not(HasSubstr("not complete")));
    EXPECT_EQ(glm::ivec2(r->halfWidth, r->halfHeight), glm::ivec2(640, 384));
    glEnable(GL_BLEND);
    for (int i = 0; i < 2; ++i) frame(0.016f);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST) || glIsEnabled(GL_STENCIL_TEST) ||
                 glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    for (const GLenum binding :
         {GL_FRAMEBUFFER_BINDING, GL_CURRENT_PROGRAM, GL_VERTEX_ARRAY_BINDING}) {
        GLint value = -1;
        glGetIntegerv(binding, &value);
        EXPECT_EQ(value, 0) << binding;
    }
}

// The G-buffer holds geometry where drawn, clear values elsewhere, where the sky shows decoded.
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
    EXPECT_FLOAT_EQ(fragPos[top + 3], 0.0f);
    EXPECT_NEAR(colour[top], 0.5f, 0.01f);                // the clear colour
    EXPECT_NEAR(colour[centre], 160.0f / 255.0f, 0.01f);  // the texture's value, still encoded
    const std::vector<float> lit = readTextureRgba(r->fullResTarget->getTexture(), kWidth, kHeight);
    const glm::vec3 sky = TestScene::skyFaceColour(5) / 255.0f;  // the -Z face
    EXPECT_NEAR(lit[top], std::pow(sky.r, 2.2f), 0.03f);
    EXPECT_NEAR(lit[top + 1], std::pow(sky.g, 2.2f), 0.03f);
}

// A sky cube wound the wrong way, or culled, leaves black where a face should be.
TEST_F(RendererTest, SkyCoversEveryDirectionWithBackFacesCulled) {
    start({});
    withoutSimulations();
    r->cameraPath.active = false;
    const glm::vec3 directions[] = {
        {1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 1, 0.01f}, {0, -1, 0.01f}};
    for (const glm::vec3& direction : directions) {
        r->camera.setLookAt({0, 0, 0}, direction);
        frame(0.0f);
        const std::vector<float> lit =
            readTextureRgba(r->fullResTarget->getTexture(), kWidth, kHeight);
        size_t dark = 0;
        for (size_t i = 0; i < lit.size(); i += 4) dark += lit[i] + lit[i + 1] + lit[i + 2] < 0.01f;
        EXPECT_EQ(dark, 0u) << direction.x << " " << direction.y << " " << direction.z;
    }
}

// The doors turn about their hinges and stop at ninety degrees at any frame rate; the chair turns
// back on the frame its swing reaches the limit, long frames too.
TEST_F(RendererTest, DoorsStopAtNinetyDegreesAndTheChairFlipsOnTheFrameItsSwingReachesNine) {
    start({{"rightDoor", {1.025f, -1.7f, 19.4f}, {4.5f, 1.2f, 19.58f}},
           {"leftDoor", {-5.97f, -1.7f, 19.4f}, {-2.47f, 1.2f, 19.58f}}});
    withoutSimulations();  // hundreds of updates
    for (const float fps : {60.0f, 7.0f}) {
        for (Mesh& door : house.meshes) door.setModelMatrix(glm::mat4(1.0f));
        const Mesh& right = house.meshes[0];
        r->doorAngle = 0.0f;
        const float dt = 1.0f / fps;
        for (int i = 0; i < static_cast<int>(8.0f * fps); ++i) r->update(dt);
        const float turned = -angleOf(right);
        EXPECT_LE(turned, 90.0f + 1e-3f) << fps;
        EXPECT_GT(turned, 90.0f - 16.0f * dt) << fps;
        EXPECT_NEAR(angleOf(house.meshes[1]), turned, 1e-3f);
        const glm::vec2 axis = anchors::kRightGateHinge;
        const glm::vec4 hinge = right.modelMatrix * glm::vec4(axis.x, 0.0f, axis.y, 1.0f);
        EXPECT_LT(glm::distance(glm::vec2(hinge.x, hinge.z), axis), 1e-3f);
    }
    r->chairSign = 1.0f;
    r->chairSwing = 0.0f;
    for (int i = 0; i < 7; ++i) r->update(0.125f);  // swing 1.25 a frame: 8.75 after seven
    EXPECT_EQ(r->chairSign, 1.0f);
    r->update(0.125f);  // reaches 10: this frame flips and resets the swing (sign, swing)
    EXPECT_EQ(glm::vec2(r->chairSign, r->chairSwing), glm::vec2(-1.0f, 0.0f));
    r->update(0.95f);  // a single long frame flips at once and resets the swing
    EXPECT_EQ(glm::vec2(r->chairSign, r->chairSwing), glm::vec2(1.0f, 0.0f));
}

// Roles go to the last mesh of the exact name; a missing role or a near-namesake moves nothing.
TEST_F(RendererTest, LaterOfTwoNamesakesTakesTheRoleAndMissingRolesAreLeftAlone) {
    start(basicScene({{"bone", {3, -0.7f, 3}, {3.3f, -0.6f, 3.2f}},
                      {"Chair_chairs", {-4, -1.6f, -9}, {-3, -0.2f, -8}}}));
    EXPECT_EQ(r->boneIndex, 2);
    EXPECT_EQ(r->chairIndex, -1);
    EXPECT_EQ(r->cameraPath.windowMesh, nullptr);
    withoutSimulations();
    for (int i = 0; i < 2; ++i) frame(0.1f);
    EXPECT_NE(house.meshes[2].modelMatrix, glm::mat4(1.0f));
    EXPECT_EQ(house.meshes[0].modelMatrix, glm::mat4(1.0f));
    EXPECT_EQ(house.meshes[3].modelMatrix, glm::mat4(1.0f));

    // The importer merges namesakes of one file, so the scan is checked on a list of its own.
    house.meshes.resize(6);
    house.meshes[4].name = "bone";
    house.meshes[5].name = "Bone";
    r->findNamedMeshes();
    EXPECT_EQ(r->boneIndex, 4);
}

// The flight starts the real rain with its sound; the window turns black, then shows the figure.
TEST_F(RendererTest, FlightStartsTheRainAndChangesTheWindowsPicture) {
    start(basicScene({{"main_construction.003_Vert.005", {-3, -1, 9}, {-1, 1, 9.5f}}}));
    withoutSimulations();
    ASSERT_NE(r->cameraPath.windowMesh, nullptr);
    const auto picture = [&] {
        for (const MeshTexture& texture : r->cameraPath.windowMesh->textures) {
            if (texture.type == Diffuse) return texture.id;
        }
        return 0u;
    };
    const GLuint original = picture();
    int rains = 0;
    std::vector<GLuint> atThunder;  // the window's picture at each thunder clap
    r->cameraPath.onSound = [&](const std::string& sound, bool) {
        EXPECT_EQ(r->rain->active, rains > 0) << sound;  // the rain starts just after its sound
        rains += sound == "res/Soundeffects/rain.mp3";
        if (sound == "res/Soundeffects/thunder.mp3") atThunder.push_back(picture());
    };
    for (int i = 0; i < 100 && r->cameraPath.remaining > 0.0f; ++i) r->update(5.0f);
    r->cameraPath.onSound = nullptr;
    EXPECT_EQ(rains, 1);
    EXPECT_TRUE(r->rain->active);
    EXPECT_EQ(atThunder, (std::vector<GLuint>{original, r->cameraPath.blackWindowTexture}));
    EXPECT_EQ(picture(), r->cameraPath.figureWindowTexture);
    EXPECT_NE(r->cameraPath.blackWindowTexture, original);
}

// The loading image is shown letter-boxed, as stored, and leaves the bars of the back buffer alone.
TEST_F(RendererTest, LoadingScreenIsLetterboxedAndKeepsTheRestOfTheBackBuffer) {
    scene = std::make_unique<TestScene>(basicScene());
    writeSolidImage(scene->path() + "/res/loading.jpg", 64, 32, 3, 255);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    printedBy([&] { r->init(kWidth, kHeight); });
    const std::vector<float> window = readFramebufferRgba(0, kWidth, kHeight);
    const auto at = [&](int x, int y) { return glm::make_vec3(&window[(y * kWidth + x) * 4]); };
    EXPECT_EQ(at(160, 8), glm::vec3(0, 0, 1));  // 2:1: 16-row bars above and below
    EXPECT_EQ(at(160, 185), glm::vec3(0, 0, 1));
    EXPECT_NEAR(at(160, 20).r, 1.0f, 0.02f);  // shown as stored, not encoded twice
    EXPECT_NEAR(at(0, 96).g, 1.0f, 0.02f);
    EXPECT_NEAR(at(319, 171).b, 1.0f, 0.02f);
}

// The lightning lights the yard for a moment, and the storm that comes with the rain darkens it
// for good: the wall seen from the road, against its look on a clear night. The step of the
// thunder's crack is still dark, the next ones are lit, and a second later the night is back.
TEST_F(RendererTest, LightningLightsTheYardForAMomentAndTheStormDarkensIt) {
    start(basicScene());
    withoutSimulations();
    r->setSwitch("doFog", 0);
    r->cameraPath.active = false;  // the camera stays at the start, facing the wall
    constexpr float dt = 1.0f / 30.0f;
    const auto wall = [&] {  // mean luminance of the middle of the picture, where the wall is
        frame(dt);
        const std::vector<float> px = readFramebufferRgba(0, kWidth, kHeight);
        double sum = 0.0;
        int n = 0;
        for (int y = kHeight / 2 - 10; y < kHeight / 2 + 10; ++y) {
            for (int x = kWidth / 2 - 10; x < kWidth / 2 + 10; ++x, ++n) {
                sum += glm::dot(glm::make_vec3(&px[(y * kWidth + x) * 4]),
                                glm::vec3(0.2126f, 0.7152f, 0.0722f));
            }
        }
        return sum / n;
    };
    const double clear = wall();
    ASSERT_GT(clear, 0.02);
    r->lightning.strike();
    EXPECT_NEAR(wall(), clear, 0.01) << "the crack's own frame";
    EXPECT_GT(wall(), 2.0 * clear) << "the stroke";
    for (int i = 0; i < 30; ++i) r->update(dt);
    EXPECT_NEAR(wall(), clear, 0.01) << "a second later";

    r->rain->active = true;
    for (int i = 0; i < 8 * 30; ++i) r->update(dt);
    EXPECT_LT(wall(), 0.8 * clear) << "under the storm";
}
