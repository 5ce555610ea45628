// Shaders that reload on save: the picture follows a saved change, and a broken save keeps the
// running program while its error shows on screen until the next good save.
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

#include "FramedScene.h"
#include "Globals.h"
#include "ShaderWatcher.h"
#include "StdoutCapture.h"
#include "TestFiles.h"

namespace fs = std::filesystem;

namespace {
using Frame = std::vector<uint8_t>;  // RGB bytes, top row first

const char kLightingOutput[] = "    fragColor = vec4(color, 1.0);\n}";

class ShaderReloadTest : public FramedSceneTest {
protected:
    std::string lightingFile;
    std::string original;

    // The scene with a copy of the shaders of its own, to be edited.
    void SetUp() override {
        GlTest::SetUp();
        start(kWidth, kHeight);
        for (const char* name : {"doSmoke", "doFire", "doRain"}) set(name, 0);
        const fs::path shaders = fs::path(scene->path()) / "shaders";
        fs::remove(shaders);
        fs::copy(fs::path(MURKMOOR_SOURCE_DIR) / "shaders", shaders, fs::copy_options::recursive);
        lightingFile = (shaders / "lighting.frag").string();
        original = readFile(lightingFile);
        ASSERT_NE(original.find(kLightingOutput), std::string::npos);
    }
    void save(const std::string& output) {
        std::string text = original;
        text.replace(text.find(kLightingOutput), sizeof kLightingOutput - 1, output);
        std::ofstream(lightingFile) << text;
    }
    Frame frame() {
        renderer.update(0.0f);
        renderer.render();
        return picture();
    }
    static std::string poll(double now) {
        StdoutCapture quiet;
        return shaderWatcher.poll(now);
    }
};

// Pixels of the error box's red among the top rows.
size_t redPixels(const Frame& frame, int rows) {
    size_t count = 0;
    for (size_t i = 0; i < static_cast<size_t>(rows) * GlTest::kWidth * 3; i += 3) {
        count += frame[i] > 90 && frame[i + 1] < 60 && frame[i + 2] < 60;
    }
    return count;
}
}  // namespace

// R rebuilds every program and the frame stays the same. Looked at once a second, a saved
// lighting.frag is rebuilt alone and shows at the next frame;
// a save that does not compile leaves the last picture under the error box, which names the file
// and line and stays until the file compiles again, the first picture back with it.
TEST_F(ShaderReloadTest, ASavedShaderShowsWithinASecondAndABrokenOneKeepsThePicture) {
    const Frame before = frame();
    shaderWatcher.start();
    EXPECT_EQ(poll(10.0), "");
    {
        StdoutCapture quiet;
        EXPECT_THAT(shaderWatcher.reloadAll(),
                    ::testing::MatchesRegex("Reloaded all shaders: [0-9]+ programs, [0-9]+ ms"));
    }
    EXPECT_EQ(frame(), before) << "every program takes over its predecessor's uniforms (R)";

    save("    fragColor = vec4(color.bgr * 4.0 + 0.2, 1.0);\n}");
    EXPECT_EQ(poll(10.5), "") << "a second has not passed";
    EXPECT_THAT(poll(10.0 + ShaderWatcher::kCheckInterval),
                ::testing::MatchesRegex("Reloaded shaders/lighting\\.frag: 1 program, [0-9]+ ms"));
    const Frame edited = frame();
    EXPECT_NE(edited, before);

    save("    fragColor = vec4(color, 1.0)\n}");
    EXPECT_THAT(poll(12.0), ::testing::HasSubstr("Shader error in shaders/lighting.frag"));
    EXPECT_GT(takeGlErrors(), 0u) << "the driver reports the failed compile";
    EXPECT_THAT(shaderWatcher.error(), ::testing::ContainsRegex("shaders/lighting\\.frag:[0-9]+"));
    const Frame broken = frame();
    const size_t belowBox = static_cast<size_t>(kHeight) * 3 / 4 * kWidth * 3;
    EXPECT_TRUE(std::equal(broken.begin() + belowBox, broken.end(), edited.begin() + belowBox))
        << "the picture below the box is the last good one";
    EXPECT_GT(redPixels(broken, 20), 1000u);
    EXPECT_LT(redPixels(edited, 20), 100u);

    save(kLightingOutput);
    EXPECT_THAT(poll(13.0), ::testing::StartsWith("Reloaded shaders/lighting.frag"));
    EXPECT_EQ(shaderWatcher.error(), "");
    EXPECT_EQ(frame(), before);
}
