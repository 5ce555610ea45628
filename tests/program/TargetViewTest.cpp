// The render-target views (V): each shows the target it names, made readable.
#include <gmock/gmock.h>

#include <algorithm>
#include <memory>

#include "Effects/SmokeVolume.h"
#include "FlightWarmUp.h"
#include "FramedScene.h"
#include "Globals.h"
#include "SceneAnchors.h"
#include "StdoutCapture.h"

namespace {
using Frame = std::vector<uint8_t>;  // RGB bytes, top row first

// Small: a frame at this size costs little more than the shadow's fixed-size faces.
constexpr int kSmallWidth = 160;
constexpr int kSmallHeight = 96;
constexpr int kBelowName = 40;  // the first row below a view's name

glm::ivec3 pixel(const Frame& frame, int x, int y) {
    const uint8_t* p = &frame[(static_cast<size_t>(y) * kSmallWidth + x) * 3];
    return {p[0], p[1], p[2]};
}

// Below the top rows, where a view's name may be written.
int largestDifference(const Frame& a, const Frame& b, int fromRow = 0) {
    int largest = 0;
    for (size_t i = static_cast<size_t>(fromRow) * kSmallWidth * 3; i < a.size(); ++i) {
        largest = std::max(largest, std::abs(a[i] - b[i]));
    }
    return largest;
}

// The scene in a small frame, without the particles.
class TargetViewTest : public FramedSceneTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        start(kSmallWidth, kSmallHeight);
        for (const char* name : {"doFire", "doRain"}) set(name, 0);
        renderer.smoke->jacobiIterations = 4;  // the views read the grid, not the solve's quality
    }
    // The frame drawn again, ending in the view: what the window shows after V.
    Frame show(TargetView view) {
        StdoutCapture quiet;  // the views' programs are built at the first one shown
        renderer.view = view;
        renderer.render();
        return picture();
    }
    void look(glm::vec3 eye, glm::vec3 at) {
        renderer.camera.setLookAt(eye, at);
        renderer.update(0.0f);
    }
    // Density 1 in the cells from `first` to `last` of the smoke's grid, still air around.
    void putSmoke(glm::ivec3 first, glm::ivec3 last) {
        const glm::ivec3 size = last - first + 1;
        const std::vector<glm::vec4> cells(static_cast<size_t>(size.x) * size.y * size.z,
                                           glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
        glBindTexture(GL_TEXTURE_3D, renderer.smoke->volumeTexture);
        glTexSubImage3D(GL_TEXTURE_3D, 0, first.x, first.y, first.z, size.x, size.y, size.z,
                        GL_RGBA, GL_FLOAT, cells.data());
    }
};
}  // namespace

// Looking at the smoke's box over the floor, where the fire's light burns just above it: each
// view reads its own target and maps it as its name says, and every view is a picture of its own.
// The two views of targets that the frame later overwrites (the lit scene, the blurred occlusion)
// show them as they were. First, with their effects off from the start, the targets those effects
// would fill show as empty, not as whatever memory they were given: open surfaces for the
// occlusion, black for the bright image and the smoke's faces.
TEST_F(TargetViewTest, EachViewShowsTheTargetItNames) {
    const glm::vec3 box = anchors::kSmokeBoxMin + glm::vec3(0.5f * anchors::kSmokeBoxSize);
    look(box + glm::vec3(0.0f, 0.5f, 4.0f), box - glm::vec3(0.0f, 0.6f, 0.0f));
    const std::pair<const char*, int> effects[] = {
        {"doAmbientOcclusion", renderer.doAmbientOcclusion},
        {"hdrMode", renderer.hdrMode},
        {"bloomMode", renderer.bloomMode},
        {"doSmoke", renderer.doSmoke}};
    for (const auto& effect : effects) set(effect.first, 0);
    const std::pair<TargetView, int> empty[] = {{TargetView::OcclusionRaw, 255},
                                                {TargetView::OcclusionBlurred, 255},
                                                {TargetView::Bright, 0},
                                                {TargetView::SmokeEntry, 0},
                                                {TargetView::SmokeExit, 0}};
    for (const auto& [view, grey] : empty) {
        const Frame frame = show(view);
        EXPECT_EQ(largestDifference(frame, Frame(frame.size(), grey), kBelowName), 0)
            << viewName(view);
    }
    for (const auto& effect : effects) set(effect.first, effect.second);

    putSmoke({40, 28, 28}, {48, 36, 36});
    std::vector<Frame> views = {show(TargetView::Final)};
    set("doShadows", 0);  // the cube map stays as the first frame left it, a view of its own
    for (int i = 1; i < kTargetViewCount; ++i) views.push_back(show(static_cast<TargetView>(i)));
    const auto view = [&](TargetView v) -> const Frame& { return views[static_cast<int>(v)]; };
    const int w = kSmallWidth;
    const int h = kSmallHeight;

    // The floor faces up (green); red grows with x across it; its albedo is its texture's.
    const glm::ivec3 up = pixel(view(TargetView::Normal), w / 2, h - 2);
    EXPECT_TRUE(up.y >= 250 && std::abs(up.x - 128) <= 3 && std::abs(up.z - 128) <= 3)
        << up.x << " " << up.y << " " << up.z;
    const Frame& position = view(TargetView::Position);
    EXPECT_LT(pixel(position, w / 10, h - 2).x, pixel(position, w * 9 / 10, h - 2).x);
    EXPECT_EQ(pixel(view(TargetView::Albedo), w / 10, h - 2), glm::ivec3(160));
    // Depth: darker with distance along the floor.
    const Frame& depth = view(TargetView::Depth);
    EXPECT_GT(pixel(depth, w - 2, h - 2).x, pixel(depth, w - 2, h * 3 / 4).x);
    EXPECT_GT(pixel(depth, w - 2, h * 3 / 4).x, pixel(depth, w - 2, kBelowName).x);

    // The shadow cube unfolded round the light, half a metre above the floor: the face looking
    // down is near and bright, rays a little above the horizon find nothing in range, the corners
    // are empty.
    const Frame& shadow = view(TargetView::Shadow);
    EXPECT_GT(pixel(shadow, w * 4 / 10, h * 5 / 6).x, 150) << "down";
    EXPECT_LE(pixel(shadow, w * 4 / 10, h * 45 / 100).x, 2) << "up";
    EXPECT_EQ(pixel(shadow, 2, h - 2), glm::ivec3(0)) << "corner";

    // The box's entry and exit points where it covers the pixel, black around it. The density
    // slice: the smoke where it was put (x right, y up in the square), clean air elsewhere, dark
    // blue beside the square.
    const glm::ivec3 entry = pixel(view(TargetView::SmokeEntry), w / 2, h / 2);
    EXPECT_GT(entry.x + entry.y + entry.z, 100);
    EXPECT_NE(entry, pixel(view(TargetView::SmokeExit), w / 2, h / 2));
    EXPECT_EQ(pixel(view(TargetView::SmokeEntry), w - 2, h - 2), glm::ivec3(0));
    const Frame& density = view(TargetView::SmokeDensity);
    const auto slice = [&](float x, float y) {  // box coordinates to the square's pixels
        const float aspect = static_cast<float>(w) / h;
        return pixel(density, static_cast<int>(((x - 0.5f) / aspect + 0.5f) * w),
                     static_cast<int>((1.0f - y) * h));
    };
    EXPECT_GT(slice(0.69f, 0.5f).x, 200);
    EXPECT_EQ(slice(0.31f, 0.5f), glm::ivec3(0));
    EXPECT_EQ(slice(0.69f, 0.2f), glm::ivec3(0));
    EXPECT_EQ(pixel(density, 2, h / 2), glm::ivec3(0, 0, 26));

    for (int a = 0; a < kTargetViewCount; ++a) {
        for (int b = a + 1; b < kTargetViewCount; ++b) {
            EXPECT_GT(largestDifference(views[a], views[b], kBelowName), 8)
                << viewName(static_cast<TargetView>(a)) << " and "
                << viewName(static_cast<TargetView>(b));
        }
    }

    // Tone mapping does not reach the lit scene's view, nor bloom's blur the occlusion's.
    set("hdrMode", 0);
    const Frame litUnmapped = show(TargetView::Lit);
    EXPECT_LE(largestDifference(litUnmapped, view(TargetView::Lit)), 1);
    EXPECT_GT(largestDifference(show(TargetView::Final), view(TargetView::Final)), 8);
    set("bloomMode", 0);
    EXPECT_LE(
        largestDifference(show(TargetView::OcclusionBlurred), view(TargetView::OcclusionBlurred)),
        1);

    // A tool's flight to a moment that looks away from the box shows the grid as the program does:
    // the plume the smoke's window simulates from clean air, and the smoke switched on in the
    // overlay's F8 line, though the box is out of view.
    look(box + glm::vec3(0.0f, 0.5f, 4.0f), box + glm::vec3(0.0f, 0.5f, 8.0f));
    renderer.view = TargetView::SmokeDensity;
    PlannedFlight flight(renderer, planFlight(renderer, 0, 10, 1, 5.0, -1.0));
    flight.flyToFirstFrame();
    flight.drawNextFrame();
    EXPECT_STREQ(renderer.effectState(8), "EUCLIDEAN");
    flight.finish();
    views[static_cast<int>(TargetView::SmokeDensity)] = picture();
    int plume = 0;  // in the square's lowest quarter, where 2 s of plume have risen
    for (int y = h * 3 / 4; y < h; ++y) {
        for (int x = (w - h) / 2; x < (w + h) / 2; ++x) plume += pixel(density, x, y).x > 40;
    }
    EXPECT_GT(plume, 50);
    EXPECT_EQ(slice(0.69f, 0.5f), glm::ivec3(0)) << "the smoke put there before";
}
