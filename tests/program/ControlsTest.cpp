#include <GLFW/glfw3.h>
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "Camera.h"
#include "Controls.h"
#include "EffectSwitches.h"
#include "Globals.h"
#include "OptionValues.h"
#include "RecordingFile.h"
#include "RobustnessSupport.h"
#include "ShaderProgram.h"
#include "Shell.h"
#include "StdoutCapture.h"
#include "TestFiles.h"

using ::testing::HasSubstr;

namespace {
// The process-wide renderer on a small scene, driven through the key callback as GLFW calls it.
class ControlsTest : public SceneGlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        scene = std::make_unique<TestScene>(std::vector<SceneBox>{});
        startRenderer(kWidth, kHeight);
    }
    static std::string press(int key, int times = 1, bool release = true) {
        StdoutCapture capture;
        for (int i = 0; i < times; ++i) {
            onKey(nullptr, key, 0, GLFW_PRESS, 0);
            if (release) onKey(nullptr, key, 0, GLFW_RELEASE, 0);
        }
        return capture.finish();
    }
    static void frame(float dt) {
        applyFreeFly(renderer.camera, dt);
        renderer.update(dt);
    }
};
}  // namespace

// Each key prints its states in order, wrapping round, and sets the uniform its pass reads; space
// hands the camera to free flight and back to the path where it was left.
TEST_F(ControlsTest, EveryKeyPrintsItsStatesInOrderAndSpaceSwitchesToFreeFlightAndBack) {
    struct Row {
        int key, presses;
        const char* printed;
        const char* uniform = nullptr;  // of the lighting program, or u_doBloom of the final one
        int value = -1;
    };
    const Row rows[] = {
        {GLFW_KEY_F1, 1, "Specular mapping: OFF\n"},
        {GLFW_KEY_F2, 1, "Normal mapping: OFF\n"},
        {GLFW_KEY_F3, 2, "Bloom: COMP\nBloom: OFF\n", "u_doBloom", 0},
        {GLFW_KEY_F3, 1, "Bloom: FRAG\n", "u_doBloom", 1},
        {GLFW_KEY_F4, 4, "HDR: DRAGO\nHDR: DRAGO MODIFIED\nHDR: OFF\nHDR: LINEAR\n"},
        {GLFW_KEY_F5, 1, "SHADOWS: OFF\n", "u_doShadowMappingPoint", 0},
        {GLFW_KEY_F5, 1, "SHADOWS: SHADOW MAPPING\n", "u_doShadowMappingPoint", 1},
        {GLFW_KEY_F6, 1, "FOG: OFF\n", "u_doFog", 0},
        {GLFW_KEY_F6, 1, "FOG: ON\n", "u_doFog", 1},
        {GLFW_KEY_F7, 1, "AMBIENT OCCLUSION: OFF\n", "u_doAmbientOcclusion", 0},
        {GLFW_KEY_F7, 1, "AMBIENT OCCLUSION: SCREEN SPACE\n", "u_doAmbientOcclusion", 1},
        {GLFW_KEY_F8, 1, "SMOKE: OFF\n"},
        {GLFW_KEY_F9, 1, "FIRE: OFF\n"},
        {GLFW_KEY_F10, 2, "RAIN: OFF\nRAIN: GPU PARTICLES\n"},
        {GLFW_KEY_I, 2, "Path speed reduced: -0.5f\nPath speed reduced: -0.5f\n"},
        {GLFW_KEY_U, 1, "Path speed increased: +0.5f\n"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(press(row.key, row.presses), row.printed);
        if (!row.uniform) continue;
        const GLuint program = std::string(row.uniform) == "u_doBloom"
                                   ? renderer.finalProgram->id
                                   : renderer.lightingProgram->id;
        GLint value = -1;
        glGetUniformiv(program, glGetUniformLocation(program, row.uniform), &value);
        EXPECT_EQ(value, row.value) << row.printed;
    }
    EXPECT_FALSE(renderer.mappingSwitches->specular);
    EXPECT_EQ(renderer.hdrMode, 1);
    EXPECT_NEAR(renderer.cameraPath.speed, 0.4f, 1e-6f);  // 0.9 - 1 + 0.5: not clamped at zero
    // Switches do not touch the movement state, and a held key's repeats are not presses.
    EXPECT_EQ(std::make_pair(keyHeld, lastKey), std::make_pair(false, 0));
    StdoutCapture capture;
    onKey(nullptr, GLFW_KEY_F6, 0, GLFW_PRESS, 0);
    for (int i = 0; i < 5; ++i) onKey(nullptr, GLFW_KEY_F6, 0, GLFW_REPEAT, 0);
    EXPECT_EQ(capture.finish(), "FOG: OFF\n");

    frame(0.5f);
    const glm::vec3 onPath = renderer.camera.position;
    press(GLFW_KEY_SPACE);
    EXPECT_FALSE(renderer.cameraPath.active);
    onKey(nullptr, GLFW_KEY_W, 0, GLFW_PRESS, 0);
    frame(0.5f);  // a slow frame: moves as far as one of a tenth of a second
    EXPECT_NEAR(glm::distance(renderer.camera.position, onPath), 1.0f, 1e-4f);
    // C while W is held: the pose is recorded and the movement stops.
    press(GLFW_KEY_C, 1, false);
    const glm::vec3 stopped = renderer.camera.position;
    frame(0.5f);
    EXPECT_EQ(renderer.camera.position, stopped);
    onKey(nullptr, GLFW_KEY_W, 0, GLFW_RELEASE, 0);
    press(GLFW_KEY_SPACE);
    frame(0.0f);
    EXPECT_EQ(renderer.camera.position, onPath);
}

// The switch table against the lines the keys print and the names --set takes: each of F1 to F10
// and F runs through all its states back to where it started, and each value --set accepts shows
// the label the key printed for it; F has no effect index.
TEST_F(ControlsTest, TheSwitchTableGivesEachKeyItsLinesAndEachSetNameItsValues) {
    struct Row {
        int key;
        const char* name;
        const char* printed;  // before the state's label
        std::vector<std::string> states;
        int start;
    };
    const Row rows[] = {
        {GLFW_KEY_F1, "specular", "Specular mapping: ", {"OFF", "ON"}, 1},
        {GLFW_KEY_F2, "normal", "Normal mapping: ", {"OFF", "ON"}, 1},
        {GLFW_KEY_F3, "bloomMode", "Bloom: ", {"OFF", "FRAG", "COMP"}, 1},
        {GLFW_KEY_F4, "hdrMode", "HDR: ", {"OFF", "LINEAR", "DRAGO", "DRAGO MODIFIED"}, 1},
        {GLFW_KEY_F5, "doShadows", "SHADOWS: ", {"OFF", "SHADOW MAPPING"}, 1},
        {GLFW_KEY_F6, "doFog", "FOG: ", {"OFF", "ON"}, 1},
        {GLFW_KEY_F7, "doAmbientOcclusion", "AMBIENT OCCLUSION: ", {"OFF", "SCREEN SPACE"}, 1},
        {GLFW_KEY_F8, "doSmoke", "SMOKE: ", {"OFF", "EUCLIDEAN"}, 1},
        {GLFW_KEY_F9, "doFire", "FIRE: ", {"OFF", "GPU PARTICLES"}, 1},
        {GLFW_KEY_F10, "doRain", "RAIN: ", {"OFF", "GPU PARTICLES"}, 1},
        {GLFW_KEY_F, "softFlash", "SOFT FLASH: ", {"OFF", "ON"}, 0},
    };
    ASSERT_EQ(kEffectSwitchCount, std::size(rows));
    for (const Row& row : rows) {
        const int count = static_cast<int>(row.states.size());
        std::string cycle;
        for (int n = 1; n <= count; ++n) {
            cycle += row.printed + row.states[(row.start + n) % count] + "\n";
        }
        EXPECT_EQ(press(row.key, count), cycle);
        for (int value = 0; value <= count; ++value) {
            SwitchSetting setting;
            std::string error;
            const std::string text = std::string(row.name) + "=" + std::to_string(value);
            ASSERT_EQ(parseSwitchSetting(text, setting, error), value < count) << text;
            if (value == count) break;
            EXPECT_TRUE(renderer.setSwitch(setting.name, setting.value));
            const EffectSwitch* entry = effectSwitchNamed(row.name);
            ASSERT_TRUE(entry);
            EXPECT_EQ(entry->stateLabel(entry->get(renderer)), row.states[value]) << text;
        }
    }
    EXPECT_FALSE(renderer.setSwitch("doWind", 1));
    StdoutCapture capture;
    renderer.toggleEffect('F');  // a letter key's switch has no effect index
    EXPECT_EQ(capture.finish(), "");
}

// C reports a key-point file it cannot write to at every press, and still prints the pose.
TEST(KeyPointRecording, ReportsAnUnwritableFileAtEveryPress) {
    Camera camera({1.0f, 2.0f, 3.0f}, {0, 0, -1}, 45, 320, 192, 0.1f, 100);
    std::ofstream failed("/nonexistent-directory/filename.txt");
    ASSERT_TRUE(failed.fail());
    StdoutCapture err(2);
    StdoutCapture out;
    recordKeyPoint(camera, failed);
    recordKeyPoint(camera, failed);
    EXPECT_THAT(out.finish(), HasSubstr("Camera position: 1.000, 2.000, 3.000"));
    EXPECT_EQ(err.finish(), "Error writing to ...\nError writing to ...\n");
}

// A start keeps what an earlier run recorded under the next free number, never over an earlier
// keeping, says where once, and records into an empty file; an empty or missing file is simply
// opened.
TEST(KeyPointRecording, AStartKeepsTheEarlierRecordingUnderTheNextFreeNumber) {
    TempDir dir;
    const std::string file = dir.write("filename.txt", "second run\n");
    dir.write("filename-1.txt", "first run\n");
    dir.write("filename-7.txt", "");
    dir.write("filename-x.txt", "");
    dir.write("other-9.txt", "");
    StdoutCapture out;
    openRecordingFile(file) << "third run\n";
    EXPECT_EQ(out.finish(), "Key points recorded earlier are kept in " + dir.path() +
                                "/filename-8.txt; " + file + " starts empty\n");
    EXPECT_EQ(readFile(dir.path() + "/filename-8.txt"), "second run\n");
    EXPECT_EQ(readFile(dir.path() + "/filename-1.txt"), "first run\n");
    EXPECT_EQ(readFile(file), "third run\n");

    StdoutCapture quiet;
    std::ofstream(file).close();
    openRecordingFile(file) << "fourth run\n";
    openRecordingFile(dir.path() + "/new.txt") << "a new file\n";
    EXPECT_EQ(quiet.finish(), "");
    EXPECT_EQ(readFile(file), "fourth run\n");
    EXPECT_EQ(readFile(dir.path() + "/new.txt"), "a new file\n");
    EXPECT_EQ(keptRecordingName(file), dir.path() + "/filename-9.txt");
}

// The suite runs where tools and programs write: never the repository, whose file the user
// recorded. Its own processes record nowhere.
TEST(KeyPointFile, TestsRunInTheBuildsScratchFolderWithShadersAndAssetsReachable) {
    namespace fs = std::filesystem;
    EXPECT_EQ(fs::current_path(), fs::path(MURKMOOR_TEST_WORK_DIR));
    EXPECT_NE(fs::canonical(fs::current_path()), fs::canonical(MURKMOOR_SOURCE_DIR));
    EXPECT_TRUE(fs::exists("shaders/geometry.frag") && fs::exists("res/myhouse/myhouse.obj"));
    EXPECT_FALSE(fs::is_regular_file(keyPointFileName));
}
