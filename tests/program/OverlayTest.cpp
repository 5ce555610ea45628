// The overlay (H), the view's name, and what a graphics debugger reads from a frame.
#include <GLFW/glfw3.h>
#include <gmock/gmock.h>

#include <algorithm>
#include <memory>
#include <sstream>

#include "Controls.h"
#include "Effects/SmokeVolume.h"
#include "FlightLoop.h"
#include "FramedScene.h"
#include "Globals.h"
#include "KeyHelp.h"
#include "LatePassTimer.h"
#include "PathDrawing.h"
#include "StdoutCapture.h"

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

namespace {
using Frame = std::vector<uint8_t>;  // RGB bytes, top row first

// The scene in a window-sized frame, the simulations off.
class OverlayTest : public FramedSceneTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        start(kWidth, kHeight);
        for (const char* name : {"doSmoke", "doFire", "doRain"}) set(name, 0);
    }
    Frame frame() {
        renderer.update(0.0f);
        renderer.render();
        return picture();
    }
    static std::string press(int key, int mods = 0) {
        StdoutCapture capture;
        onKey(nullptr, key, 0, GLFW_PRESS, mods);
        onKey(nullptr, key, 0, GLFW_RELEASE, mods);
        return capture.finish();
    }
    // Pixels that differ by more than a step, counted inside and outside the rectangle.
    static std::pair<size_t, size_t> differences(const Frame& a, const Frame& b,
                                                 Overlay::Rect inside, int width = kWidth) {
        std::pair<size_t, size_t> counts{0, 0};
        const int height = static_cast<int>(a.size() / 3 / width);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const size_t at = (static_cast<size_t>(y) * width + x) * 3;
                bool differs = false;
                for (int c = 0; c < 3; ++c) differs |= std::abs(a[at + c] - b[at + c]) > 1;
                const bool in = x >= inside.x && x < inside.x + inside.width && y >= inside.y &&
                                y < inside.y + inside.height;
                (in ? counts.first : counts.second) += differs;
            }
        }
        return counts;
    }
};
}  // namespace

// Hidden at start; H shows the panel in the top left corner, the passes timed meanwhile, and the
// frame changes nowhere else; H again gives the very frame back and stops the timing. With the
// overlay hidden and a view selected, the view's name takes a small corner of its own. Like the
// switches, the keys leave a held movement key flying.
TEST_F(OverlayTest, HShowsThePanelOnlyWhereItIsDrawnAndHAgainGivesTheFrameBack) {
    const Frame hidden = frame();
    EXPECT_EQ(overlay.drawnRect().width, 0);
    onKey(nullptr, GLFW_KEY_W, 0, GLFW_PRESS, 0);
    for (const int key : {GLFW_KEY_H, GLFW_KEY_V, GLFW_KEY_F12}) {
        StdoutCapture quiet;
        onKey(nullptr, key, 0, GLFW_PRESS, GLFW_MOD_SHIFT);
        EXPECT_EQ(std::make_pair(keyHeld, lastKey), std::make_pair(true, GLFW_KEY_W)) << key;
    }
    EXPECT_EQ(renderer.view, TargetView::SmokeDensity);  // shift+V: one back from the final frame
    EXPECT_TRUE(overlay.visible && screenshotAsked);
    onKey(nullptr, GLFW_KEY_W, 0, GLFW_RELEASE, 0);
    overlay.visible = false;
    renderer.view = TargetView::Final;
    screenshotAsked = false;

    EXPECT_EQ(press(GLFW_KEY_H), "Overlay: ON\n");
    const Frame shown = frame();
    const Overlay::Rect panel = overlay.drawnRect();
    // Whole in the small window, its text no smaller than 8 pixels: the figures, which leave no
    // room for the keys there.
    EXPECT_TRUE(panel.x > 0 && panel.y > 0 && panel.width > 100 && panel.height > 100 &&
                panel.x + panel.width <= kWidth && panel.y + panel.height <= kHeight)
        << panel.x << " " << panel.y << " " << panel.width << " " << panel.height;
    EXPECT_EQ(Overlay::fontPixelsFor(kWidth, kHeight), 8);
    const auto [inside, outside] = differences(hidden, shown, panel);
    EXPECT_GT(inside, static_cast<size_t>(panel.width * panel.height / 4));
    EXPECT_EQ(outside, 0u);
    EXPECT_NE(renderer.profiler, nullptr);

    EXPECT_EQ(press(GLFW_KEY_H), "Overlay: OFF\n");
    EXPECT_THAT(frame(), ElementsAreArray(hidden));
    EXPECT_EQ(renderer.profiler, nullptr);

    press(GLFW_KEY_V);
    const Frame albedo = frame();
    const Overlay::Rect name = overlay.drawnRect();
    EXPECT_TRUE(name.x > 0 && name.y > 0 && name.width < kWidth / 2 && name.height < kHeight / 4)
        << name.x << " " << name.y << " " << name.width << " " << name.height;
    // A dark plate with light letters on the view's greys.
    size_t dark = 0, light = 0;
    for (int y = name.y; y < name.y + name.height; ++y) {
        for (int x = name.x; x < name.x + name.width; ++x) {
            const uint8_t grey = albedo[(static_cast<size_t>(y) * kWidth + x) * 3];
            dark += grey < 70;
            light += grey > 200;
        }
    }
    EXPECT_GT(dark, static_cast<size_t>(name.width * name.height / 2));
    EXPECT_GT(light, 20u);
}

// A notice shows in the bottom left corner while the panel is hidden and changes nothing else; the
// panel hides it, and it is gone once its time is up.
TEST_F(OverlayTest, ANoticeShowsInTheBottomCornerUntilItsTimeIsUp) {
    const Frame plain = frame();
    overlay.notify("Bloom: COMP");
    EXPECT_EQ(overlay.notice(), "Bloom: COMP");
    const Frame noticed = frame();
    const Overlay::Rect box = overlay.drawnRect();
    EXPECT_TRUE(box.x > 0 && box.y > kHeight / 2 && box.y + box.height < kHeight &&
                box.width < kWidth / 2)
        << box.x << " " << box.y << " " << box.width << " " << box.height;
    const auto [inside, outside] = differences(plain, noticed, box);
    EXPECT_GT(inside, static_cast<size_t>(box.width * box.height / 4));
    EXPECT_EQ(outside, 0u);

    overlay.visible = true;
    EXPECT_EQ(overlay.notice(), "");
    overlay.visible = false;
    overlay.notify("gone at once", 0.0);
    EXPECT_EQ(overlay.notice(), "");
    EXPECT_THAT(frame(), ElementsAreArray(plain));
}

// Once loaded, the console lists every key of the table and the screen says where to find them;
// then each key's notice says what it did, C's also on the console after the pose's line, and C
// says so where the file cannot be written. The hint is drawn in the bottom corner alone.
TEST_F(OverlayTest, TheKeysAreListedOnceLoadedAndEachSaysWhatItDid) {
    const Frame plain = frame();
    std::ostringstream console;
    announceKeys(overlay, console);
    const std::string listed = console.str();
    EXPECT_EQ(listed.rfind("Keys: Space pause / fly, W A S D Q E move (Shift: slowly),", 0), 0u)
        << listed;
    for (size_t i = 0; i < kKeyHelpCount; ++i) {
        EXPECT_THAT(listed, HasSubstr(std::string(kKeyHelp[i].keys) + " " + kKeyHelp[i].action));
    }
    std::istringstream lines(listed);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 100u) << line;
    EXPECT_EQ(overlay.notice(), "H: overlay and keys");
    const Frame hinted = frame();
    const Overlay::Rect box = overlay.drawnRect();
    EXPECT_TRUE(box.y > kHeight / 2 && box.width > 40) << box.y << " " << box.width;
    const auto [inside, outside] = differences(plain, hinted, box);
    EXPECT_GT(inside, static_cast<size_t>(box.width * box.height / 4));
    EXPECT_EQ(outside, 0u);

    const std::pair<int, const char*> keys[] = {
        {GLFW_KEY_F3, "Bloom: COMP"},
        {GLFW_KEY_F11, "Frame rate printed"},
        {GLFW_KEY_F11, "Frame rate no longer printed"},
        {GLFW_KEY_U, "Path speed 1.4 m/s"},
        {GLFW_KEY_SPACE, "Flying"},  // the fixture's flight starts paused
        {GLFW_KEY_SPACE, "Paused: keys and mouse move"},
        {GLFW_KEY_C, "Key point 1 appended to /dev/null"},
        {GLFW_KEY_C, "Key point 2 appended to /dev/null"},
    };
    for (const auto& [key, notice] : keys) {
        const std::string printed = press(key);
        EXPECT_EQ(overlay.notice(), notice);
        if (key == GLFW_KEY_C) {
            EXPECT_THAT(printed, ::testing::MatchesRegex("Camera position: .*\n" +
                                                         std::string(notice) + "\n"));
        }
    }
    keyPointFile.setstate(std::ios::failbit);
    StdoutCapture err(2);
    EXPECT_EQ(press(GLFW_KEY_C).find("appended"), std::string::npos);
    EXPECT_EQ(err.finish(), "Error writing to ...\n");
    EXPECT_EQ(overlay.notice(), "Key point not recorded: /dev/null cannot be written");
}

// Every stage of a frame opens a debug group of the benchmark's name, closed again by the end,
// and every texture, buffer, framebuffer and program is labelled; timed late, the passes that
// ran are measured within a few frames and those that did not are not. Hidden and shown again, the
// panel shows no figure from the frames drawn before it was hidden: the passes of then (the
// shadow) are not among the first figures, which say "measuring" until they arrive.
// In a window of 640 x 384 the panel takes well under half of the frame (its plate and all).
class LargeOverlayTest : public OverlayTest {
protected:
    static constexpr int kLargeWidth = 640;
    void SetUp() override {
        GlTest::SetUp();
        start(kLargeWidth, 384);
        for (const char* name : {"doSmoke", "doFire", "doRain", "doShadows", "doAmbientOcclusion"})
            set(name, 0);
    }
};

TEST_F(LargeOverlayTest, ThePanelCoversAtMostTwoFifthsOfA640x384Frame) {
    const Frame hidden = frame();
    overlay.visible = true;
    const Frame shown = frame();
    const size_t changed = differences(hidden, shown, Overlay::Rect(), kLargeWidth).second;
    EXPECT_GT(changed, shown.size() / 3 / 10);
    EXPECT_LT(changed, shown.size() / 3 * 2 / 5);
}

TEST_F(OverlayTest, AFrameReadsInAGraphicsDebuggerAndItsPassesAreTimedLate) {
    set("doSmoke", 1);
    renderer.smoke->jacobiIterations = 2;  // its group is named whatever the solve's length
    overlay.visible = true;
    renderer.view = TargetView::Normal;
    frame();
    const std::vector<std::string>& groups = recordDebugGroups();
    frame();
    EXPECT_THAT(groups,
                ElementsAreArray({"smoke step", "shadow", "g-buffer", "smoke faces", "ssao",
                                  "lighting", "sky", "smoke march", "tone map / bright pass",
                                  "bloom blur", "composite", "overlay"}));
    GLint depth = 0;
    glGetIntegerv(GL_DEBUG_GROUP_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);

    struct Kind {
        GLenum identifier;
        GLboolean (*exists)(GLuint);
        const char* name;
    };
    const Kind kinds[] = {{GL_TEXTURE, glIsTexture, "texture"},
                          {GL_BUFFER, glIsBuffer, "buffer"},
                          {GL_FRAMEBUFFER, glIsFramebuffer, "framebuffer"},
                          {GL_PROGRAM, glIsProgram, "program"}};
    for (const Kind& kind : kinds) {
        int found = 0;
        for (GLuint name = 1; name < 1000; ++name) {
            if (!kind.exists(name)) continue;
            ++found;
            GLsizei length = 0;
            char label[256] = "";
            glGetObjectLabel(kind.identifier, name, sizeof label, &length, label);
            EXPECT_GT(length, 0) << kind.name << " " << name;
        }
        EXPECT_GT(found, 3) << kind.name;
    }

    overlay.visible = false;
    set("doSmoke", 0);
    LatePassTimer timer;
    renderer.profiler = &timer;
    for (int i = 0; i <= LatePassTimer::kFramesInFlight; ++i) {
        frame();
        timer.endFrame();
    }
    renderer.profiler = nullptr;
    const LatePassTimer::Means means = timer.takeMeans();
    for (const Pass pass : {Pass::Shadow, Pass::GBuffer, Pass::Lighting, Pass::Composite}) {
        EXPECT_TRUE(means.measured[static_cast<int>(pass)]) << passName(pass);
        EXPECT_GE(means.ms[static_cast<int>(pass)], 0.0) << passName(pass);
    }
    for (const Pass pass : {Pass::SmokeStep, Pass::Fire, Pass::Adapt}) {
        EXPECT_FALSE(means.measured[static_cast<int>(pass)]) << passName(pass);
    }

    const auto shown = [](Pass pass) {
        return overlay.shownPassTimes().measured[static_cast<int>(pass)];
    };
    overlay.visible = true;
    for (int i = 0; i <= LatePassTimer::kFramesInFlight; ++i) frame();
    ASSERT_TRUE(shown(Pass::Shadow));
    overlay.visible = false;
    frame();
    set("doShadows", 0);
    overlay.visible = true;
    frame();
    EXPECT_FALSE(shown(Pass::GBuffer));
    for (int i = 0; i <= LatePassTimer::kFramesInFlight; ++i) frame();
    EXPECT_TRUE(shown(Pass::GBuffer));
    EXPECT_FALSE(shown(Pass::Shadow));
}

// The timeline marks the loop as a blue band, and nothing else changes with it.
TEST_F(LargeOverlayTest, TheTimelineMarksTheLoop) {
    overlay.visible = true;
    const Frame unlooped = frame();
    const Overlay::Rect panel = overlay.drawnRect();
    FlightLoop loop;
    loop.start = 20.0;
    loop.end = 60.0;
    overlay.loop = &loop;
    const Frame looped = frame();
    overlay.loop = nullptr;
    const auto [inside, outside] = differences(unlooped, looped, panel, kLargeWidth);
    EXPECT_GT(inside, 20u);
    EXPECT_EQ(outside, 0u);
    size_t blue = 0;
    for (size_t at = 0; at < looped.size(); at += 3) {
        blue += looped[at + 2] > looped[at] + 80 && unlooped[at + 2] < unlooped[at] + 40;
    }
    EXPECT_GT(blue, 20u);
}

// Off at start; P draws a marker on every key point in view and changes nothing far from the path
// and its markers; the segment flown shows in green, a loop in blue; P again gives the very frame
// back.
TEST_F(OverlayTest, PDrawsThePathsMarkersWhereTheKeyPointsProject) {
    EXPECT_FALSE(overlay.path.shown);
    // High above the front yard, where the path's key points lie apart.
    renderer.camera.setLookAt({2.0f, 14.0f, 36.0f}, {2.0f, 0.0f, 16.0f});
    renderer.cameraPath.next = 5;  // flying from key point 3 to 4, in view from here
    const Frame plain = frame();
    EXPECT_EQ(press(GLFW_KEY_P), "Path: SHOWN\n");
    overlay.notify("", 0.0);  // the notice's corner is another test's
    const Frame shown = frame();

    const glm::mat4 viewProjection = renderer.camera.projection * renderer.camera.view;
    const PathDrawing::Area area{0.0f, 0.0f, kWidth, kHeight};
    const std::vector<KeyPoint>& points = renderer.cameraPath.m_keyPoints;
    std::vector<glm::vec2> markers;
    std::vector<std::pair<glm::vec2, glm::vec2>> segments;
    for (size_t i = 0; i < points.size(); ++i) {
        glm::vec2 at, from, to;
        if (PathDrawing::project(viewProjection, points[i].position, area, at)) {
            markers.push_back(at);
        }
        if (i > 0 && PathDrawing::projectSegment(viewProjection, points[i - 1].position,
                                                 points[i].position, area, from, to)) {
            segments.push_back({from, to});
        }
    }
    ASSERT_GE(markers.size(), 3u);
    const auto differs = [&](const Frame& a, const Frame& b, int x, int y) {
        const size_t at = (static_cast<size_t>(y) * kWidth + x) * 3;
        for (int c = 0; c < 3; ++c) {
            if (std::abs(a[at + c] - b[at + c]) > 1) return true;
        }
        return false;
    };
    for (const glm::vec2& at : markers) {
        EXPECT_TRUE(differs(plain, shown, static_cast<int>(at.x), static_cast<int>(at.y)))
            << at.x << " " << at.y;
    }
    // Far: more than 4 pixels from every segment, and off every marker with its event's label
    // to the right of it.
    const auto nearPath = [&](glm::vec2 p) {
        for (const auto& [a, b] : segments) {
            const glm::vec2 ab = b - a;
            const float t = glm::dot(ab, ab) > 0.0f
                                ? std::clamp(glm::dot(p - a, ab) / glm::dot(ab, ab), 0.0f, 1.0f)
                                : 0.0f;
            if (glm::length(a + t * ab - p) <= 4.0f) return true;
        }
        for (const glm::vec2& m : markers) {
            if (p.x > m.x - 16.0f && p.x < m.x + 150.0f && std::abs(p.y - m.y) < 12.0f) {
                return true;
            }
        }
        return false;
    };
    size_t changedFar = 0, changedNear = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (!differs(plain, shown, x, y)) continue;
            (nearPath({x + 0.5f, y + 0.5f}) ? changedNear : changedFar) += 1;
        }
    }
    EXPECT_GT(changedNear, markers.size() * 20);
    EXPECT_EQ(changedFar, 0u);
    size_t green = 0;
    for (size_t at = 0; at < shown.size(); at += 3) {
        green += shown[at + 1] > shown[at] + 80 && shown[at + 1] > shown[at + 2] + 40;
    }
    EXPECT_GT(green, 10u);

    FlightLoop loop;
    loop.start = 0.0;
    loop.end = 30.0;
    overlay.loop = &loop;
    const Frame looped = frame();
    overlay.loop = nullptr;
    size_t blue = 0;
    for (size_t at = 0; at < looped.size(); at += 3) {
        blue += looped[at + 2] > looped[at] + 80 && shown[at + 2] < shown[at] + 40;
    }
    EXPECT_GT(blue, 20u);

    EXPECT_EQ(press(GLFW_KEY_P), "Path: HIDDEN\n");
    overlay.notify("", 0.0);
    EXPECT_THAT(frame(), ElementsAreArray(plain));
}
