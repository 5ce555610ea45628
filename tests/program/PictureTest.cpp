// What the viewer sees, read back from the real pipeline: every switch changes the picture where
// its effect is in view and gives the same picture back when switched on again, maps switched off
// leave no trace, a resized window shows the whole view with its aspect kept, and the capture tool
// writes the frame that the program shows.
#include <gmock/gmock.h>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "Effects/RainParticles.h"
#include "FlightWarmUp.h"
#include "GlTestFixture.h"
#include "Globals.h"
#include "OutputFrame.h"
#include "ProcessRun.h"
#include "Shell.h"
#include "StdoutCapture.h"
#include "TestFiles.h"
#include "TestScene.h"

namespace {
using Frame = std::vector<uint8_t>;  // RGB bytes, bottom row first

struct Difference {
    double mean = 0.0;          // mean absolute difference per channel, in 1/255
    double changedShare = 0.0;  // share of pixels with a channel more than 2/255 apart
    int largest = 0;
};

Difference compare(const Frame& a, const Frame& b) {
    Difference d;
    if (a.size() != b.size() || a.empty()) return {255.0, 1.0, 255};
    size_t changed = 0;
    for (size_t i = 0; i < a.size(); i += 3) {
        int pixelLargest = 0;
        for (size_t c = i; c < i + 3; ++c) {
            const int delta = std::abs(a[c] - b[c]);
            d.mean += delta;
            pixelLargest = std::max(pixelLargest, delta);
        }
        if (pixelLargest > 2) ++changed;
        d.largest = std::max(d.largest, pixelLargest);
    }
    d.mean /= static_cast<double>(a.size());
    d.changedShare = static_cast<double>(changed) / static_cast<double>(a.size() / 3);
    return d;
}

std::ostream& operator<<(std::ostream& out, const Difference& d) {
    return out << "mean " << d.mean << ", changed " << d.changedShare * 100.0 << " %, largest "
               << d.largest;
}

// Saves a frame as PNG (top row first) into $MURKMOOR_PICTURE_DIR, when it is set, to look at.
void keep(const Frame& frame, int width, int height, const std::string& name) {
    const char* dir = std::getenv("MURKMOOR_PICTURE_DIR");
    if (!dir) return;
    Frame topDown = frame;
    flipRows(topDown, width * 3, height);
    stbi_write_png((std::string(dir) + "/" + name + ".png").c_str(), width, height, 3,
                   topDown.data(), width * 3);
}

struct Pose {
    glm::vec3 eye;
    glm::vec3 look;
};
// Poses of the flight where the effects are in view.
const Pose kCauldron{{4.8237f, 0.8435f, 1.6402f}, {4.2186f, 0.3191f, 2.2393f}};
const Pose kHall{{-5.5930f, 0.4146f, -5.1637f}, {-4.6085f, 0.2869f, -5.2838f}};
const Pose kFacade{{-2.2722f, -0.9111f, 12.0047f}, {-2.2115f, -0.6598f, 9.3387f}};

// The renderer on the generated house, drawing into a framebuffer of the window's size. The path
// is held, so that only the switches change what is drawn.
class PictureTest : public GlTest {
protected:
    OutputFrame output;

    void startHouse() {
        house.meshes.clear();
        StdoutCapture quiet;
        renderer.init(kWidth, kHeight);
        renderer.loadScene();
        quiet.finish();
        renderer.cameraPath.active = false;
        resizeWindow(kWidth, kHeight);
    }
    // The window as the size callback reports it, and a framebuffer of that size standing in for
    // it.
    void resizeWindow(int width, int height) {
        onWindowSize(nullptr, width, height);
        output = {};
        if (width > 0 && height > 0) {
            ASSERT_TRUE(createOutputFrame(width, height, output));
        }
        renderer.outputFramebuffer = output.framebuffer;
    }
    // A key of F1 to F10, its console line kept out of the test's output.
    void press(int key) {
        StdoutCapture quiet;
        renderer.toggleEffect(key);
    }
    void look(const Pose& pose) { renderer.camera.setLookAt(pose.eye, pose.look); }
    // Frames drawn without time passing, the last one read back: the tone mapper's exposure
    // follows the frame before, so the second frame is the settled one.
    Frame settledFrame(int frames = 2) {
        for (int i = 0; i < frames; ++i) {
            renderer.update(0.0f);
            renderer.render();
        }
        Frame pixels;
        if (output.framebuffer == 0) return pixels;  // a minimised window: nothing to read
        readOutputFrameTopDown(output, pixels);
        flipRows(pixels, output.width * 3, output.height);
        return pixels;
    }
    void simulations(int on) {
        for (const char* name : {"doSmoke", "doFire", "doRain"}) renderer.setSwitch(name, on);
    }
    // A second of fire and smoke, and the rain's first seven seconds: its drops take five and a
    // half to fall from the clouds to the ground.
    void warmUpSimulations() {
        for (int i = 0; i < 30; ++i) renderer.update(1.0f / 30.0f);
        simulations(0);
        renderer.setSwitch("doRain", 1);
        renderer.rain->active = true;
        for (int i = 0; i < 210; ++i) renderer.update(1.0f / 30.0f);
    }
};

// Every switch against the picture. A switch is pressed through its states until it is back at
// its start: each state where the effect is on must differ from the one where it is off, and the
// last press must give the start back.
TEST_F(PictureTest, EverySwitchChangesThePictureWhereItsEffectIsInViewAndGivesItBack) {
    startHouse();
    warmUpSimulations();
    struct Row {
        int key;  // F1 to F10
        Pose pose;
        const char* simulation;  // the one simulation drawn, or null for none
        int states;              // presses until the switch is back at its start
        int offState;            // presses from the start to the state where its effect is off
    };
    const Row rows[] = {
        {1, kHall, nullptr, 2, 1},      {2, kHall, nullptr, 2, 1},
        {3, kCauldron, "doFire", 3, 2}, {4, kHall, nullptr, 4, 3},
        {5, kHall, nullptr, 2, 1},      {6, kFacade, nullptr, 2, 1},
        {7, kHall, nullptr, 2, 1},      {8, kCauldron, "doSmoke", 2, 1},
        {9, kCauldron, "doFire", 2, 1}, {10, kFacade, "doRain", 2, 1},
    };
    for (const Row& row : rows) {
        const std::string key = "F" + std::to_string(row.key);
        SCOPED_TRACE(key);
        simulations(0);
        if (row.simulation) renderer.setSwitch(row.simulation, 1);
        look(row.pose);
        std::vector<Frame> states = {settledFrame()};
        for (int n = 1; n <= row.states; ++n) {
            press(row.key);
            states.push_back(settledFrame());
            keep(states.back(), kWidth, kHeight, key + "-state" + std::to_string(n % row.states));
        }
        for (int state = 0; state < row.states; ++state) {
            if (state == row.offState) continue;
            const Difference d = compare(states[state], states[row.offState]);
            EXPECT_GT(d.changedShare, 0.005) << "state " << state << ": " << d;
        }
        const Difference back = compare(states.front(), states.back());
        EXPECT_LE(back.largest, 1) << back;
    }
}

// Which texture unit the geometry program samples sees what where the geometry pass ends.
class GeometryPassBindings : public PassProfiler {
public:
    GeometryPassBindings() : PassProfiler(Method::WallClock) {}
    GLint bound[3] = {0, 0, 0};
    void end(Pass pass) override {
        if (pass != Pass::GBuffer) return;
        for (int unit = 0; unit < 3; ++unit) {
            glActiveTexture(GL_TEXTURE0 + unit);
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound[unit]);
        }
    }
};

// F1 and F2 off must look as if no mesh had the map, whatever mesh was drawn before the press.
// The last mesh drawn is made one with all three maps, a copy of one in view that the depth test
// hides behind its original; and no unit the geometry program samples may hold an attachment of
// the G-buffer that it writes.
TEST_F(PictureTest, MapsSwitchedOffLeaveNoTraceAndTheGeometryPassSamplesNoAttachment) {
    startHouse();
    simulations(0);
    look(kHall);
    renderer.update(0.0f);
    int mapped = -1;
    for (size_t i = 0; i < house.meshes.size() && mapped < 0; ++i) {
        const Mesh& mesh = house.meshes[i];
        if (mesh.textures.size() == 3 && viewFrustum.testBox(mesh.corners) != Outside) {
            mapped = static_cast<int>(i);
        }
    }
    ASSERT_GE(mapped, 0);
    house.meshes.push_back(house.meshes[mapped]);
    if (renderer.windowIndex >= 0) {
        renderer.cameraPath.windowMesh = &house.meshes[renderer.windowIndex];
    }

    const std::vector<std::vector<MeshTexture>> withMaps = [] {
        std::vector<std::vector<MeshTexture>> all;
        for (const Mesh& mesh : house.meshes) all.push_back(mesh.textures);
        return all;
    }();
    const auto withoutMap = [&](TextureType type) {
        for (Mesh& mesh : house.meshes) {
            auto& t = mesh.textures;
            t.erase(std::remove_if(t.begin(), t.end(),
                                   [&](const MeshTexture& entry) { return entry.type == type; }),
                    t.end());
        }
        const Frame frame = settledFrame();
        for (size_t i = 0; i < house.meshes.size(); ++i) house.meshes[i].textures = withMaps[i];
        return frame;
    };
    const Frame noSpecular = withoutMap(Specular);
    const Frame noNormal = withoutMap(Normal);
    const Frame allMaps = settledFrame();
    EXPECT_GT(compare(allMaps, noSpecular).changedShare, 0.005);
    EXPECT_GT(compare(allMaps, noNormal).changedShare, 0.005);

    GeometryPassBindings bindings;
    renderer.profiler = &bindings;
    const GLuint attachments[4] = {renderer.gBuffer.colorSpec, renderer.gBuffer.fragPos,
                                   renderer.gBuffer.normal, renderer.gBuffer.viewSpace};
    const auto expectNoAttachmentBound = [&] {
        for (int unit = 0; unit < 3; ++unit) {
            EXPECT_THAT(attachments, ::testing::Not(::testing::Contains(bindings.bound[unit])))
                << "unit " << unit;
        }
    };
    press(1);
    const Frame specularOff = settledFrame();
    keep(specularOff, kWidth, kHeight, "F1-off");
    keep(noSpecular, kWidth, kHeight, "F1-no-specular-maps");
    EXPECT_LE(compare(specularOff, noSpecular).largest, 1) << compare(specularOff, noSpecular);
    expectNoAttachmentBound();

    press(1);
    press(2);
    const Frame normalOff = settledFrame();
    keep(normalOff, kWidth, kHeight, "F2-off");
    keep(noNormal, kWidth, kHeight, "F2-no-normal-maps");
    EXPECT_LE(compare(normalOff, noNormal).largest, 1) << compare(normalOff, noNormal);
    expectNoAttachmentBound();
    renderer.profiler = nullptr;
}

// Box-filters a frame to half its size, to compare frames of windows of half and double the size.
Frame halved(const Frame& frame, int width, int height) {
    Frame out(static_cast<size_t>(width / 2) * (height / 2) * 3);
    for (size_t i = 0; i < out.size(); ++i) {
        const size_t x = i / 3 % (width / 2), y = i / 3 / (width / 2), c = i % 3;
        int sum = 0;
        for (int k = 0; k < 4; ++k) sum += frame[((2 * y + k / 2) * width + 2 * x + k % 2) * 3 + c];
        out[i] = static_cast<uint8_t>(sum / 4);
    }
    return out;
}

// The targets keep their start-up size; the window shows the whole view at any size, letter-boxed
// to the picture's aspect, and the start size gives the start frame back.
TEST_F(PictureTest, AResizedWindowShowsTheWholeViewWithItsAspectKept) {
    TestScene scene({{"Floor", {-30, -2.7f, -10}, {30, -1.7f, 40}},
                     {"Wall", {-6, -1.7f, 10}, {2, 3, 11}},
                     {"Post", {-9, -1.7f, 16}, {-8, 4, 17}}});
    house.meshes.clear();
    StdoutCapture quiet;
    renderer.init(kWidth, kHeight);
    renderer.loadScene();
    quiet.finish();
    renderer.cameraPath.active = false;
    simulations(0);
    resizeWindow(kWidth, kHeight);
    const Frame start = settledFrame();
    keep(start, kWidth, kHeight, "resize-start");

    resizeWindow(kWidth / 2, kHeight / 2);
    const Frame half = settledFrame();
    keep(half, kWidth / 2, kHeight / 2, "resize-half");
    const Difference toHalf = compare(half, halved(start, kWidth, kHeight));
    EXPECT_LT(toHalf.mean, 3.0) << toHalf;

    resizeWindow(kWidth * 2, kHeight * 2);
    const Frame twice = settledFrame();
    keep(twice, kWidth * 2, kHeight * 2, "resize-double");
    const Difference toTwice = compare(halved(twice, kWidth * 2, kHeight * 2), start);
    EXPECT_LT(toTwice.mean, 3.0) << toTwice;

    // Twice as wide: the picture at its own size in the middle, black bars beside it.
    resizeWindow(kWidth * 2, kHeight);
    const Frame wide = settledFrame();
    keep(wide, kWidth * 2, kHeight, "resize-wide");
    Frame middle;
    for (int y = 0; y < kHeight; ++y) {
        const auto row = wide.begin() + (static_cast<size_t>(y) * kWidth * 2 + kWidth / 2) * 3;
        middle.insert(middle.end(), row, row + kWidth * 3);
        for (int x : {0, kWidth / 2 - 1, kWidth * 2 - kWidth / 2, kWidth * 2 - 1}) {
            const uint8_t* bar = &wide[(static_cast<size_t>(y) * kWidth * 2 + x) * 3];
            ASSERT_EQ(bar[0] + bar[1] + bar[2], 0) << "bar pixel " << x << ", " << y;
        }
    }
    EXPECT_LE(compare(middle, start).largest, 1);

    resizeWindow(0, 0);  // minimised
    settledFrame(1);
    resizeWindow(kWidth, kHeight);
    EXPECT_LE(compare(settledFrame(), start).largest, 1);
}

// The capture tool's frame is the program's: the same moment and switches drawn by the renderer
// into the shown window of this process, and read from the window as a screenshot would.
TEST_F(PictureTest, TheCaptureToolWritesTheFrameTheProgramShows) {
    TempDir out;
    const std::string png = out.path() + "/frame.png";
    const ProcessResult capture = runProcess(
        std::string(MURKMOOR_CAPTURE) + " --size " + std::to_string(kWidth) + "x" +
            std::to_string(kHeight) +
            " --time 1 --warmup 0.2 --set doFog=0 --set doFire=0 --set doSmoke=0 --out " + png,
        "");
    ASSERT_EQ(capture.exitCode, 0) << capture.err;
    int w = 0, h = 0, channels = 0;
    unsigned char* captured = stbi_load(png.c_str(), &w, &h, &channels, 3);
    ASSERT_NE(captured, nullptr);
    ASSERT_EQ(w, kWidth);
    ASSERT_EQ(h, kHeight);
    Frame written(captured, captured + static_cast<size_t>(w) * h * 3);
    stbi_image_free(captured);
    flipRows(written, w * 3, h);

    glfwShowWindow(GlTest::window());
    house.meshes.clear();
    StdoutCapture quiet;
    renderer.init(kWidth, kHeight);
    renderer.loadScene();
    quiet.finish();
    // The particles' spawn order follows the driver's threads: they differ from run to run.
    for (const char* name : {"doFog", "doFire", "doSmoke"}) renderer.setSwitch(name, 0);
    flyToMoment(renderer, 1.0, 30.0, 0.2);
    const std::vector<float> shown = readWindowRgba(kWidth, kHeight);
    Frame program(written.size());
    for (size_t i = 0, j = 0; i < shown.size(); i += 4) {
        for (int c = 0; c < 3; ++c)
            program[j++] = static_cast<uint8_t>(shown[i + c] * 255.0f + 0.5f);
    }
    keep(program, kWidth, kHeight, "program-at-1s");
    keep(written, kWidth, kHeight, "capture-at-1s");
    const Difference d = compare(program, written);
    EXPECT_LE(d.largest, 1) << d;
}
}  // namespace
