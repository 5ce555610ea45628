#include <GLFW/glfw3.h>
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "Controls.h"
#include "GlTestFixture.h"
#include "Globals.h"
#include "ShaderProgram.h"
#include "Shell.h"
#include "StdoutCapture.h"
#include "TestScene.h"

using ::testing::HasSubstr;

namespace {
// The process-wide renderer set up on a small scene, driven through the key callback as GLFW
// would call it.
class ControlsTest : public SceneGlTest {
protected:

    void SetUp() override {
        GlTest::SetUp();
        scene = std::make_unique<TestScene>(std::vector<SceneBox>{});
        StdoutCapture quiet;
        renderer.init(kWidth, kHeight);
        renderer.loadScene();
    }
    static std::string press(int key, int times = 1) {
        StdoutCapture capture;
        for (int i = 0; i < times; ++i) {
            onKey(nullptr, key, 0, GLFW_PRESS, 0);
            onKey(nullptr, key, 0, GLFW_RELEASE, 0);
        }
        return capture.finish();
    }
    static int uniform(const ShaderProgram& program, const char* name) {
        GLint value = -1;
        glGetUniformiv(program.id, glGetUniformLocation(program.id, name), &value);
        return value;
    }
    static void frame(float dt) {
        applyFreeFly(renderer.camera, dt);
        renderer.update(dt);
    }
};
}  // namespace

TEST_F(ControlsTest, ModesCycleInOrderAndWrapToOff) {
    EXPECT_EQ(press(GLFW_KEY_F3, 3), "Bloom: COMP\nBloom: OFF\nBloom: FRAG\n");
    EXPECT_EQ(uniform(*renderer.finalProgram, "u_doBloom"), 1);
    press(GLFW_KEY_F3, 2);
    EXPECT_EQ(renderer.bloomMode, 0);
    EXPECT_EQ(uniform(*renderer.finalProgram, "u_doBloom"), 0);

    EXPECT_EQ(press(GLFW_KEY_F4, 4), "HDR: DRAGO\nHDR: DRAGO MODIFIED\nHDR: OFF\nHDR: LINEAR\n");
    EXPECT_EQ(renderer.hdrMode, 1);
}

TEST_F(ControlsTest, FirstPressOfEverySwitchTurnsItOff) {
    const std::string out = press(GLFW_KEY_F1) + press(GLFW_KEY_F2) + press(GLFW_KEY_F5) +
                            press(GLFW_KEY_F6) + press(GLFW_KEY_F7) + press(GLFW_KEY_F8) +
                            press(GLFW_KEY_F9) + press(GLFW_KEY_F10);
    EXPECT_EQ(out,
              "Specular mapping: OFF\nNormal mapping: OFF\nSHADOWS: OFF\nFOG: OFF\n"
              "AMBIENT OCCLUSION: OFF\nSMOKE: OFF\nFIRE: OFF\nRAIN: OFF\n");
    EXPECT_EQ(uniform(*renderer.lightingProgram, "u_doShadowMappingPoint"), 0);
    EXPECT_EQ(uniform(*renderer.lightingProgram, "u_doFog"), 0);
    EXPECT_EQ(uniform(*renderer.lightingProgram, "u_doAmbientOcclusion"), 0);
    EXPECT_FALSE(renderer.mappingSwitches->specular);
    EXPECT_EQ(press(GLFW_KEY_F5) + press(GLFW_KEY_F7) + press(GLFW_KEY_F10),
              "SHADOWS: SHADOW MAPPING\nAMBIENT OCCLUSION: SCREEN SPACE\nRAIN: GPU PARTICLES\n");
    EXPECT_EQ(uniform(*renderer.lightingProgram, "u_doShadowMappingPoint"), 1);
    // Effect switches do not touch the movement state.
    EXPECT_FALSE(keyHeld);
    EXPECT_EQ(lastKey, 0);
}

TEST_F(ControlsTest, KeyRepeatsAreIgnored) {
    StdoutCapture capture;
    onKey(nullptr, GLFW_KEY_F6, 0, GLFW_PRESS, 0);
    for (int i = 0; i < 5; ++i) onKey(nullptr, GLFW_KEY_F6, 0, GLFW_REPEAT, 0);
    EXPECT_EQ(capture.finish(), "FOG: OFF\n");
    EXPECT_EQ(renderer.doFog, 0);
}

TEST_F(ControlsTest, PathSpeedChangesByHalfUnclamped) {
    EXPECT_EQ(press(GLFW_KEY_I, 2), "Path speed reduced: -0.5f\nPath speed reduced: -0.5f\n");
    EXPECT_NEAR(renderer.cameraPath.speed, -0.1f, 1e-6f);
    EXPECT_EQ(press(GLFW_KEY_U), "Path speed increased: +0.5f\n");
    EXPECT_NEAR(renderer.cameraPath.speed, 0.4f, 1e-6f);
}

TEST_F(ControlsTest, SpaceFreezesThePathForFreeFlightAndSnapsBack) {
    frame(0.5f);
    const glm::vec3 onPath = renderer.camera.position;
    press(GLFW_KEY_SPACE);
    EXPECT_FALSE(renderer.cameraPath.active);
    onKey(nullptr, GLFW_KEY_W, 0, GLFW_PRESS, 0);
    frame(0.5f);
    EXPECT_NEAR(glm::distance(renderer.camera.position, onPath), 5.0f, 1e-4f);
    // C while W is held: the pose is recorded and the movement stops.
    StdoutCapture capture;
    onKey(nullptr, GLFW_KEY_C, 0, GLFW_PRESS, 0);
    capture.finish();
    const glm::vec3 stopped = renderer.camera.position;
    frame(0.5f);
    EXPECT_EQ(renderer.camera.position, stopped);
    onKey(nullptr, GLFW_KEY_W, 0, GLFW_RELEASE, 0);
    press(GLFW_KEY_SPACE);
    frame(0.0f);
    EXPECT_EQ(renderer.camera.position, onPath);
}

TEST_F(ControlsTest, RecordingPrintsThePoseAndWritesPastableLines) {
    renderer.cameraPath.active = false;
    renderer.camera.setLookAt({1.0f, 2.0f, 3.0f}, {1.0f, 2.0f, 1.0f});
    std::ostringstream file;
    StdoutCapture capture;
    recordKeyPoint(renderer.camera, file);
    recordKeyPoint(renderer.camera, file);
    EXPECT_EQ(capture.finish(),
              "Camera position: 1.000, 2.000, 3.000 | Camera direction: 0.000, 0.000, -1.000\n"
              "Camera position: 1.000, 2.000, 3.000 | Camera direction: 0.000, 0.000, -1.000\n");
    const std::string line =
        "m_keyPoints.push_back(KeyPoint(glm::vec3(1.000000, 2.000000, 3.000000), "
        "glm::vec3(1.000000 ,2.000000 ,2.000000)));\n";
    EXPECT_EQ(file.str(), line + line);
}

TEST_F(ControlsTest, UnwritableFileIsReportedAtEveryPress) {
    std::ofstream failed("/nonexistent-directory/filename.txt");
    ASSERT_TRUE(failed.fail());
    StdoutCapture err(2);
    StdoutCapture out;
    recordKeyPoint(renderer.camera, failed);
    recordKeyPoint(renderer.camera, failed);
    EXPECT_THAT(out.finish(), HasSubstr("Camera position: "));
    EXPECT_EQ(err.finish(), "Error writing to ...\nError writing to ...\n");
}

// Every test process opens the key-point file where it runs: never in the repository, where it
// would empty the user's recorded key points.
TEST(KeyPointFile, TestsRunInTheBuildsScratchFolderWithShadersAndAssetsReachable) {
    namespace fs = std::filesystem;
    EXPECT_EQ(fs::current_path(), fs::path(MURKMOOR_TEST_WORK_DIR));
    EXPECT_NE(fs::canonical(fs::current_path()), fs::canonical(MURKMOOR_SOURCE_DIR));
    EXPECT_TRUE(fs::exists("filename.txt"));
    EXPECT_TRUE(fs::exists("shaders/geometry.frag"));
    EXPECT_TRUE(fs::exists("res/myhouse/myhouse.obj"));
}

TEST(MouseControls, MiddleClickAndWheelPrintAndNothingElseDoes) {
    StdoutCapture capture;
    onMouseButton(nullptr, GLFW_MOUSE_BUTTON_MIDDLE, GLFW_PRESS, 0);
    onMouseButton(nullptr, GLFW_MOUSE_BUTTON_MIDDLE, GLFW_RELEASE, 0);
    onMouseButton(nullptr, GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0);
    onScroll(nullptr, 0.0, -1.0);
    onScroll(nullptr, 3.0, 0.0);
    EXPECT_EQ(capture.finish(), "Mouse middle click\nMouse wheel scrolled: -1.000000\n");
}
