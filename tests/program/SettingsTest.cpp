// The settings file: only what differs from the defaults, read back to the same values, a bad line
// reported with its file and line while the rest applies, and the capture tool's --settings giving
// the frame that the same parameters give the program.
#include <gmock/gmock.h>
#include <stb/stb_image.h>

#include <fstream>

#include "EffectSwitches.h"
#include "FlightWarmUp.h"
#include "FramedScene.h"
#include "Globals.h"
#include "Parameters.h"
#include "ProcessRun.h"
#include "Settings.h"
#include "StdoutCapture.h"
#include "TestFiles.h"

namespace {
const char kCapture[] = " --headless --size 320x192 --time 0.5 --warmup 0.1";

// RGB bytes, top row first; empty when the file cannot be read or has another size.
std::vector<uint8_t> png(const std::string& path) {
    int w = 0, h = 0, channels = 0;
    stbi_set_flip_vertically_on_load(false);  // the texture loader leaves it set
    unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &channels, 3);
    std::vector<uint8_t> rgb;
    if (pixels && w == GlTest::kWidth && h == GlTest::kHeight) {
        rgb.assign(pixels, pixels + static_cast<size_t>(w) * h * 3);
    }
    stbi_image_free(pixels);
    return rgb;
}

int largestDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    if (a.size() != b.size()) return 255;
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i) largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

class SettingsTest : public FramedSceneTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        start(kWidth, kHeight);
    }
    static void setParameter(const char* name, std::vector<float> values) {
        const NumericParameter* entry = numericParameterNamed(name);
        ASSERT_NE(entry, nullptr) << name;
        entry->set(renderer, values.data());
    }
    static float parameter(const char* name) {
        float values[NumericParameter::kMostComponents];
        numericParameterNamed(name)->get(renderer, values);
        return values[0];
    }
    static void restoreDefaults() {
        StdoutCapture quiet;
        for (size_t i = 0; i < kEffectSwitchCount; ++i) {
            renderer.setSwitch(kEffectSwitches[i].name, kEffectSwitches[i].start);
        }
        for (size_t i = 0; i < kNumericParameterCount; ++i) {
            kNumericParameters[i].set(renderer, kNumericParameters[i].defaults());
        }
    }
};
}  // namespace

// Every parameter's default lies in its range and a value beyond it stops at its end; the file
// holds only what differs, reads back the same, and its bad lines are told with file and line
// while the others apply.
TEST_F(SettingsTest, TheFileHoldsWhatDiffersReadsBackTheSameAndSkipsOnlyItsBadLines) {
    EXPECT_EQ(settingsText(renderer), "");
    for (size_t i = 0; i < kNumericParameterCount; ++i) {
        const NumericParameter& entry = kNumericParameters[i];
        for (int c = 0; c < entry.components; ++c) {
            EXPECT_GE(entry.defaults()[c], entry.smallest) << entry.name;
            EXPECT_LE(entry.defaults()[c], entry.largest) << entry.name;
        }
        const float beyond[3] = {entry.largest * 2.0f + 1.0f, entry.largest, entry.largest};
        entry.set(renderer, beyond);
        EXPECT_EQ(parameter(entry.name), entry.largest) << entry.name;
        entry.set(renderer, entry.defaults());
    }
    EXPECT_EQ(settingsText(renderer), "");
    set("doFog", 0);
    setParameter("pathSpeed", {1.7f});
    setParameter("hallLanternColour", {1.0f, 2.5f, 3.0f});
    setParameter("ambient", {0.35f});
    setParameter("fireRate", {120.4f});
    std::string error;
    ASSERT_TRUE(saveSettings(kSettingsFileName, renderer, error)) << error;
    const std::string saved = readFile(kSettingsFileName);
    EXPECT_EQ(saved,
              "doFog = 0\npathSpeed = 1.7\nhallLanternColour = 1, 2.5, 3\nambient = 0.35\n"
              "fireRate = 120\n");

    restoreDefaults();
    EXPECT_EQ(settingsText(renderer), "");
    const SettingsOutcome read = applySettingsFile(kSettingsFileName, renderer);
    EXPECT_EQ(read.applied, 5);
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(settingsText(renderer), saved);
    EXPECT_EQ(renderer.cameraPath.speed, 1.7f);

    restoreDefaults();
    std::ofstream(kSettingsFileName) << "# tried\ndoFog = 0\nbloomThreshold = 9\nnoSuchThing = 1\n"
                                        "hallLanternColour = 1, 2\njust words\nambient = 0.5\n";
    StdoutCapture console;
    readSettingsAtStart(renderer);
    const std::string file = kSettingsFileName;
    EXPECT_EQ(console.finish(), "Settings read from " + file + ": 2 applied, 4 refused\n" + file +
                                    ":3: bloomThreshold takes 0 to 4, not \"9\"\n" + file +
                                    ":4: unknown setting \"noSuchThing\"\n" + file +
                                    ":5: hallLanternColour takes three numbers, not \"1, 2\"\n" +
                                    file + ":6: not a NAME = VALUE line\n");
    EXPECT_EQ(renderer.doFog, 0);
    EXPECT_EQ(parameter("ambient"), 0.5f);
    EXPECT_EQ(parameter("bloomThreshold"), numericParameterNamed("bloomThreshold")->defaults()[0]);
}

// A parameter moved in the program and saved gives the capture tool, through --settings, the frame
// the program shows, and a frame unlike the one of the settings before it.
TEST_F(SettingsTest, TheCaptureToolGivenTheSavedSettingsDrawsTheProgramsFrame) {
    // The particles' spawn order follows the driver's threads: they differ from run to run.
    for (const char* name : {"doFire", "doSmoke"}) set(name, 0);
    std::string error;
    ASSERT_TRUE(saveSettings(kSettingsFileName, renderer, error)) << error;
    const ProcessResult plain =
        runProcess(std::string(MURKMOOR_CAPTURE) + kCapture + " --settings " + kSettingsFileName +
                       " --out plain.png",
                   "");
    ASSERT_EQ(plain.exitCode, 0) << plain.err;

    setParameter("ambient", {0.9f});
    ASSERT_TRUE(saveSettings(kSettingsFileName, renderer, error)) << error;
    renderer.cameraPath.active = true;
    flyToMoment(renderer, 0.5, 30.0, 0.1);
    const std::vector<uint8_t> shown = picture();

    const ProcessResult capture =
        runProcess(std::string(MURKMOOR_CAPTURE) + kCapture + " --settings " + kSettingsFileName +
                       " --out moved.png",
                   "");
    ASSERT_EQ(capture.exitCode, 0) << capture.err;
    EXPECT_LE(largestDifference(shown, png("moved.png")), 1);
    EXPECT_GT(largestDifference(shown, png("plain.png")), 10);
}
