// What the viewer sees from the real pipeline: switches, maps, resizes, the capture tool.
#include <gmock/gmock.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

#include "CameraPath.h"
#include "Controls.h"
#include "DisplayLock.h"
#include "Effects/RainParticles.h"
#include "FlightTimeline.h"
#include "FlightWarmUp.h"
#include "Globals.h"
#include "OutputFrame.h"
#include "ProcessRun.h"
#include "RobustnessSupport.h"
#include "SceneSounds.h"
#include "Screenshot.h"
#include "Shell.h"
#include "StdoutCapture.h"

namespace {
using Frame = std::vector<uint8_t>;  // RGB bytes, bottom row first

struct Difference {
    double mean = 0.0;          // per channel, in 1/255
    double changedShare = 0.0;  // of pixels with a channel more than 2/255 apart
    int largest = 0;
};

// An image file as a Frame; empty when it cannot be read or has another size.
Frame loadFrame(const std::string& path, int width, int height) {
    int w = 0, h = 0, channels = 0;
    stbi_set_flip_vertically_on_load(false);  // the texture loader leaves it set
    unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &channels, 3);
    Frame frame;
    if (pixels && w == width && h == height) {
        frame.assign(pixels, pixels + static_cast<size_t>(w) * h * 3);
        flipRows(frame, w * 3, h);
    }
    stbi_image_free(pixels);
    return frame;
}

// The window's back buffer as RGB bytes, bottom row first.
Frame windowFrame(int width, int height) {
    const std::vector<float> shown = readFramebufferRgba(0, width, height);
    Frame frame;
    for (size_t i = 0; i < shown.size(); i += 4) {
        for (int c = 0; c < 3; ++c)
            frame.push_back(static_cast<uint8_t>(shown[i + c] * 255.0f + 0.5f));
    }
    return frame;
}

Difference compare(const Frame& a, const Frame& b) {
    Difference d;
    if (a.size() != b.size() || a.empty()) return {255.0, 1.0, 255};
    for (size_t i = 0; i < a.size(); i += 3) {
        int pixelLargest = 0;
        for (size_t c = i; c < i + 3; ++c) {
            d.mean += std::abs(a[c] - b[c]) / static_cast<double>(a.size());
            pixelLargest = std::max(pixelLargest, std::abs(a[c] - b[c]));
        }
        d.changedShare += (pixelLargest > 2) * 3.0 / static_cast<double>(a.size());
        d.largest = std::max(d.largest, pixelLargest);
    }
    return d;
}

std::ostream& operator<<(std::ostream& out, const Difference& d) {
    return out << "mean " << d.mean << ", changed " << d.changedShare * 100.0 << " %, largest "
               << d.largest;
}

// Luma (Rec. 709 weights on the 8-bit values) of a frame: its mean, standard deviation and the
// share of pure white pixels.
struct Luma {
    double mean = 0.0;
    double deviation = 0.0;
    double whiteShare = 0.0;
};

Luma luma(const Frame& frame) {
    Luma l;
    double sumOfSquares = 0.0;
    const double pixels = static_cast<double>(frame.size() / 3);
    for (size_t i = 0; i + 2 < frame.size(); i += 3) {
        const double y = 0.2126 * frame[i] + 0.7152 * frame[i + 1] + 0.0722 * frame[i + 2];
        l.mean += y / pixels;
        sumOfSquares += y * y / pixels;
        l.whiteShare += (frame[i] == 255 && frame[i + 1] == 255 && frame[i + 2] == 255) / pixels;
    }
    l.deviation = std::sqrt(std::max(sumOfSquares - l.mean * l.mean, 0.0));
    return l;
}

struct Pose {  // of the flight, where the effects are in view
    glm::vec3 eye;
    glm::vec3 look;
};
const Pose kCauldron{{4.8237f, 0.8435f, 1.6402f}, {4.2186f, 0.3191f, 2.2393f}};
const Pose kHall{{-5.5930f, 0.4146f, -5.1637f}, {-4.6085f, 0.2869f, -5.2838f}};
const Pose kFacade{{-2.2722f, -0.9111f, 12.0047f}, {-2.2115f, -0.6598f, 9.3387f}};

// The renderer on the generated house, drawing into a window-sized framebuffer, its path held.
class PictureTest : public GlTest {
protected:
    OutputFrame output;

    void startHouse() {  // the real house of the work folder, or a TestScene
        startRenderer(kWidth, kHeight);
        renderer.cameraPath.active = false;
        resizeWindow(kWidth, kHeight);
    }
    // The size callback's report, and a framebuffer of that size standing in for the window.
    void resizeWindow(int width, int height) {
        onWindowSize(nullptr, width, height);
        output = {};
        if (width > 0 && height > 0) {
            ASSERT_TRUE(createOutputFrame(width, height, output));
        }
        renderer.outputFramebuffer = output.framebuffer;
    }
    void press(int key) {
        StdoutCapture quiet;
        renderer.toggleEffect(key);
        overlay.notify("", 0.0);  // the switch's notice is no part of its effect
    }
    void look(const Pose& pose) { renderer.camera.setLookAt(pose.eye, pose.look); }
    // With no time passing the exposure does not adapt: one frame shows the switches' state.
    Frame settledFrame() {
        renderer.update(0.0f);
        renderer.render();
        Frame pixels;
        if (output.framebuffer == 0) return pixels;  // a minimised window: nothing to read
        readOutputFrameTopDown(output, pixels);
        flipRows(pixels, output.width * 3, output.height);
        return pixels;
    }
    void simulations(int on) {
        for (const char* name : {"doSmoke", "doFire", "doRain"}) renderer.setSwitch(name, on);
    }
    // A second of fire and smoke, and seven of rain, whose drops take 5.5 s to reach the ground.
    void warmUpSimulations() {
        for (int i = 0; i < 5; ++i) renderer.update(0.2f);
        simulations(0);
        renderer.setSwitch("doRain", 1);
        renderer.rain->active = true;
        for (int i = 0; i < 35; ++i) renderer.update(0.2f);
    }
};

// Every state of a switch with its effect on differs from its off state; the last press restores.
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
    // Rows of one view follow each other: a row starts from the picture the one before gave back.
    const Row rows[] = {
        {1, kHall, nullptr, 2, 1},      {2, kHall, nullptr, 2, 1},
        {4, kHall, nullptr, 4, 3},      {5, kHall, nullptr, 2, 1},
        {7, kHall, nullptr, 2, 1},      {3, kCauldron, "doFire", 3, 2},
        {9, kCauldron, "doFire", 2, 1}, {8, kCauldron, "doSmoke", 2, 1},
        {6, kFacade, nullptr, 2, 1},    {10, kFacade, "doRain", 2, 1},
    };
    const Row* previous = nullptr;
    Frame previousStart;
    for (const Row& row : rows) {
        SCOPED_TRACE("F" + std::to_string(row.key));
        simulations(0);
        if (row.simulation) renderer.setSwitch(row.simulation, 1);
        look(row.pose);
        const bool sameView = previous && previous->pose.eye == row.pose.eye &&
                              previous->simulation == row.simulation;
        std::vector<Frame> states = {sameView ? previousStart : settledFrame()};
        for (int n = 1; n <= row.states; ++n) {
            press(row.key);
            states.push_back(settledFrame());
        }
        for (int state = 0; state < row.states; ++state) {
            if (state == row.offState) continue;
            const Difference d = compare(states[state], states[row.offState]);
            EXPECT_GT(d.changedShare, 0.005) << "state " << state << ": " << d;
        }
        const Difference back = compare(states.front(), states.back());
        EXPECT_LE(back.largest, 1) << back;
        previous = &row;
        previousStart = states.back();
        if (row.key == 5) {
            // A switch is on when it is not 0, in the passes as where it is set: the shadow pass
            // draws the cube map that the lighting reads.
            renderer.setSwitch("doShadows", 2);
            PassProfiler passes(PassProfiler::Method::WallClock);
            renderer.profiler = &passes;
            const Difference anyOn = compare(settledFrame(), states.back());
            passes.endFrame();
            renderer.profiler = nullptr;
            EXPECT_LE(anyOn.largest, 1) << "doShadows 2: " << anyOn;
            EXPECT_EQ(passes.framesWith(Pass::Shadow), 1);
            press(5);
            EXPECT_EQ(renderer.doShadows, 0);
            const Difference off = compare(settledFrame(), states[row.offState]);
            EXPECT_LE(off.largest, 1) << "doShadows 2 pressed off: " << off;
            press(5);
        }
    }
}

// At night each event's subject reads at a glance: its own light (the moon rimming the statue and
// the scarecrow, the lantern among the kennel's bones) sets it off from the dark, where without
// it the frame is a murky shape (a luma deviation of 8 to 12); and no light burns its pool to pure
// white (the wisp's on the hall's floor).
TEST_F(PictureTest, EachEventsSubjectStandsOutOfTheNightAndNoLightBurnsToWhite) {
    startHouse();
    simulations(0);
    const std::vector<KeyPoint> path = CameraPath::builtInKeyPoints();
    const struct {
        int keyPoint;
        double leastDeviation;
    } moments[] = {{13, 18.0}, {31, 18.0}, {60, 18.0}, {69, 30.0}};
    for (const auto& moment : moments) {
        const KeyPoint& pose = path[moment.keyPoint];
        look({pose.position, pose.target});
        const Luma l = luma(settledFrame());
        SCOPED_TRACE("key point " + std::to_string(moment.keyPoint) + ": mean " +
                     std::to_string(l.mean) + ", deviation " + std::to_string(l.deviation));
        EXPECT_GE(l.deviation, moment.leastDeviation);
        EXPECT_LE(l.whiteShare, 0.005);
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

// F1 and F2 off look as if no mesh had the map, even after a last mesh with all three maps (a
// hidden copy of one in view), and the geometry pass samples no attachment it writes.
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

    std::vector<std::vector<MeshTexture>> withMaps;
    for (const Mesh& mesh : house.meshes) withMaps.push_back(mesh.textures);
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
    EXPECT_LE(compare(specularOff, noSpecular).largest, 1) << compare(specularOff, noSpecular);
    expectNoAttachmentBound();

    press(1);
    press(2);
    const Frame normalOff = settledFrame();
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

// The window shows the whole view at any size, letter-boxed, and the start size gives it back.
TEST_F(PictureTest, AResizedWindowShowsTheWholeViewWithItsAspectKept) {
    std::vector<SceneBox> boxes = floorAndWall();
    boxes.push_back({"Post", {-9, -1.7f, 16}, {-8, 4, 17}});
    TestScene scene(boxes);
    startHouse();
    simulations(0);
    const Frame start = settledFrame();

    resizeWindow(kWidth / 2, kHeight / 2);
    const Frame half = settledFrame();
    const Difference toHalf = compare(half, halved(start, kWidth, kHeight));
    EXPECT_LT(toHalf.mean, 3.0) << toHalf;

    resizeWindow(kWidth * 2, kHeight * 2);
    const Frame twice = settledFrame();
    const Difference toTwice = compare(halved(twice, kWidth * 2, kHeight * 2), start);
    EXPECT_LT(toTwice.mean, 3.0) << toTwice;

    // Twice as wide: the picture at its own size in the middle, black bars beside it.
    resizeWindow(kWidth * 2, kHeight);
    const Frame wide = settledFrame();
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

    // Minimised, the window has no size or one without the other; the frames go on all the same.
    const std::pair<int, int> minimised[] = {{0, 0}, {0, kHeight}, {kWidth, 0}};
    for (const auto& size : minimised) {
        resizeWindow(size.first, size.second);
        settledFrame();
    }
    resizeWindow(kWidth, kHeight);
    EXPECT_LE(compare(settledFrame(), start).largest, 1);
}

// The capture tool writes the frame the renderer shows in a window at the same moment and switches.
// The tool's frame is the program's, whether its context is a hidden window or EGL's with no
// window system at all.
TEST_F(PictureTest, TheCaptureToolWritesTheFrameTheProgramShowsInAWindowAndHeadless) {
    const DisplayLock lock;  // both windows are shown, and would take a running program's keys
    TempDir out;
    std::vector<Frame> written;
    for (const char* context : {"", " --headless"}) {
        const std::string png = out.path() + "/frame.png";
        const ProcessResult capture = runProcess(
            std::string(MURKMOOR_CAPTURE) + context + " --size " + std::to_string(kWidth) + "x" +
                std::to_string(kHeight) +
                " --time 0.5 --warmup 0.1 --set doFog=0 --set doFire=0 --set doSmoke=0 --out " +
                png,
            "");
        ASSERT_EQ(capture.exitCode, 0) << context << capture.err;
        int w = 0, h = 0, channels = 0;
        unsigned char* captured = stbi_load(png.c_str(), &w, &h, &channels, 3);
        ASSERT_TRUE(captured && w == kWidth && h == kHeight) << context;
        written.emplace_back(captured, captured + static_cast<size_t>(w) * h * 3);
        stbi_image_free(captured);
        flipRows(written.back(), w * 3, h);
    }

    glfwShowWindow(GlTest::window());
    startRenderer(kWidth, kHeight);
    // The particles' spawn order follows the driver's threads: they differ from run to run.
    for (const char* name : {"doFog", "doFire", "doSmoke"}) renderer.setSwitch(name, 0);
    flyToMoment(renderer, 0.5, 30.0, 0.1);
    const std::vector<float> shown = readFramebufferRgba(0, kWidth, kHeight);
    Frame program(written.front().size());
    for (size_t i = 0, j = 0; i < shown.size(); i += 4) {
        for (int c = 0; c < 3; ++c)
            program[j++] = static_cast<uint8_t>(shown[i + c] * 255.0f + 0.5f);
    }
    const Difference windowed = compare(program, written[0]);
    EXPECT_LE(windowed.largest, 1) << "hidden window: " << windowed;
    const Difference headless = compare(program, written[1]);
    EXPECT_LE(headless.largest, 1) << "headless: " << headless;

    // The undrawn steps of a warm-up move the rain too: drawn for a tenth of a second only, a
    // flight 3 s past the rain's start has drops that fell far below the height they spawn at.
    double rainStarts = -1.0;
    for (const SoundCue& cue : traceFlight(30.0).sounds)
        if (cue.file == kRainSoundFile) rainStarts = cue.time;
    ASSERT_GT(rainStarts, 0.0);
    flyToMoment(renderer, rainStarts + 3.0 - 0.5, 30.0, 0.1);
    ASSERT_TRUE(renderer.rain->active);
    std::vector<glm::vec4> drops(renderer.rain->count);
    glMemoryBarrier(GL_BUFFER_UPDATE_BARRIER_BIT);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, renderer.rain->buffer);
    glGetBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, drops.size() * sizeof(glm::vec4), drops.data());
    EXPECT_GT(std::count_if(drops.begin(), drops.end(),
                            [](glm::vec4 d) { return d.w > 0.0f && d.y < 40.0f; }),
              100);
}

// The capture tool's --view is what V shows in the window, the view's name and all; F12 writes
// the window's very pixels to a file named for the moment, and one it cannot write is reported on
// the console while the program goes on.
TEST_F(PictureTest, TheCaptureWritesTheViewThatVShowsAndF12TheWindowsPixels) {
    TestScene scene(floorAndWall());
    const ProcessResult capture =
        runProcess(std::string(MURKMOOR_CAPTURE) + " --size " + std::to_string(kWidth) + "x" +
                       std::to_string(kHeight) +
                       " --headless --time 0.5 --warmup 0.1 --view normal --set doFire=0 "
                       "--set doSmoke=0 --out normal.png",
                   "");
    ASSERT_EQ(capture.exitCode, 0) << capture.err;
    const Frame captured = loadFrame(scene.path() + "/normal.png", kWidth, kHeight);
    ASSERT_FALSE(captured.empty());

    startRenderer(kWidth, kHeight);  // into the (hidden) window's back buffer
    simulations(0);
    {
        StdoutCapture quiet;
        for (int i = 0; i < 3; ++i) onKey(nullptr, GLFW_KEY_V, 0, GLFW_PRESS, 0);
    }
    ASSERT_EQ(renderer.view, TargetView::Normal);
    flyToMoment(renderer, 0.5, 30.0, 0.1);
    const Frame shown = windowFrame(kWidth, kHeight);
    EXPECT_LE(compare(shown, captured).largest, 1) << compare(shown, captured);

    onKey(nullptr, GLFW_KEY_F12, 0, GLFW_PRESS, 0);
    ASSERT_TRUE(screenshotAsked);
    StdoutCapture out;
    const std::string name = takeScreenshot(kWidth, kHeight);  // as the frame loop does
    EXPECT_EQ(out.finish(), "Screenshot: " + name + "\n");
    EXPECT_THAT(
        name, ::testing::MatchesRegex(
                  "murkmoor-[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}-[0-9]{2}-[0-9]{2}-[0-9]{3}\\.png"));
    EXPECT_EQ(compare(loadFrame(scene.path() + "/" + name, kWidth, kHeight), shown).largest, 0);

    const std::string gone = scene.path() + "/gone";
    std::filesystem::create_directory(gone);
    ScopedWorkingDirectory inGone(gone);
    std::filesystem::remove(gone);
    StdoutCapture err(2);
    EXPECT_EQ(takeScreenshot(kWidth, kHeight), "");
    EXPECT_THAT(err.finish(),
                ::testing::HasSubstr("Screenshot not written: cannot write murkmoor-"));
}
}  // namespace
