#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Camera.h"
#include "CameraPath.h"
#include "KeyPoint.h"
#include "Mesh.h"

namespace {
class CameraPathTest : public ::testing::Test {
protected:
    Camera camera{{-2.8f, 0.1f, 28.0f}, {-2.8f, 0.1f, 0.0f}, 45, 320, 192, 0.1f, 150};
    CameraPath path{&camera, nullptr};
    Mesh window;
    void SetUp() override {
        window.textures = {{Diffuse, 7}, {Normal, 8}};
        path.windowMesh = &window;
        path.blackWindowTexture = 100;
        path.figureWindowTexture = 200;
    }
    // Distance of the camera from the line through the current segment.
    float offSegment() const {
        const glm::vec3 along = path.to.position - path.from.position;
        const glm::vec3 rel = camera.position - path.from.position;
        return glm::length(glm::cross(rel, glm::normalize(along)));
    }
};
}  // namespace

TEST(KeyPointText, RecordedLineUsesSixDecimalsAndItsSeparators) {
    EXPECT_EQ(keyPointLine({1.5f, -2.0f, 0.25f}, {3.0f, 4.0f, -5.125f}),
              "m_keyPoints.push_back(KeyPoint(glm::vec3(1.500000, -2.000000, 0.250000), "
              "glm::vec3(3.000000 ,4.000000 ,-5.125000)));\n");
}

TEST_F(CameraPathTest, StartsOnTheFirstKeyPointWithNinetyOne) {
    ASSERT_EQ(path.m_keyPoints.size(), 91u);
    EXPECT_EQ(camera.position, path.m_keyPoints[0].position);
    EXPECT_EQ(path.next, 2);
    EXPECT_TRUE(path.active);
    EXPECT_FLOAT_EQ(path.speed, 0.9f);
    EXPECT_EQ(path.from, path.m_keyPoints[0]);
    EXPECT_EQ(path.to, path.m_keyPoints[1]);
}

TEST_F(CameraPathTest, ExactlyReachingAKeyPointIsAnArrival) {
    path.speed = 1.0f;
    path.update(path.remaining);  // rem = 0
    EXPECT_EQ(path.next, 3);
    EXPECT_EQ(path.from, path.m_keyPoints[1]);
    EXPECT_EQ(camera.position, path.m_keyPoints[1].position);
}

TEST_F(CameraPathTest, LongFrameCrossesSeveralKeyPointsFiringEachEventInOrder) {
    // From the start to just past key point 84 in one frame: the black window is on.
    float distance = 0.0f;
    for (int i = 0; i < 84; ++i) {
        distance += glm::length(path.m_keyPoints[i + 1].position - path.m_keyPoints[i].position);
    }
    path.update((distance + 0.01f) / path.speed);
    EXPECT_EQ(path.next, 86);
    EXPECT_EQ(window.textures[0].id, 100u);
    EXPECT_EQ(window.textures[1].id, 8u);  // only the diffuse entry changes
    // On to the end: 87 comes after 84, so the figure stays.
    path.update(1000.0f);
    EXPECT_EQ(window.textures[0].id, 200u);
}

TEST_F(CameraPathTest, OvershootIsCarriedIntoTheNextSegmentAndTheCameraStaysOnThePath) {
    const float first = path.remaining;
    path.update((first + 0.5f) / path.speed);
    EXPECT_NEAR(path.travelled, 0.5f, 1e-4f);
    EXPECT_NEAR(glm::distance(camera.position, path.m_keyPoints[1].position), 0.5f, 1e-4f);
    // Many small frames across many key points: the eye never drifts off its segment.
    for (int i = 0; i < 60 * 40; ++i) {
        path.update(1.0f / 60.0f);
        ASSERT_LT(offSegment(), 1e-3f) << "frame " << i << " next " << path.next;
    }
}

TEST_F(CameraPathTest, SpeedZeroStandsStillAndNegativeNeverArrives) {
    path.update(1.0f);
    const glm::vec3 there = camera.position;
    path.speed = 0.0f;
    path.update(5.0f);
    EXPECT_EQ(camera.position, there);

    path.speed = -0.9f;
    const int next = path.next;
    for (int i = 0; i < 100; ++i) path.update(1.0f);
    EXPECT_EQ(path.next, next);
    // Backwards along the segment's line, past its start.
    EXPECT_GT(glm::distance(camera.position, path.to.position),
              glm::distance(path.from.position, path.to.position));
    EXPECT_LT(offSegment(), 1e-3f);
}

TEST_F(CameraPathTest, PausedNothingAdvancesAndResumingSnapsBack) {
    path.update(2.0f);
    const float remaining = path.remaining;
    const glm::vec3 onPath = camera.position;
    path.active = false;
    path.update(3.0f);
    EXPECT_EQ(path.remaining, remaining);
    camera.move(0, 0, 5.0f);  // the user flies away while paused
    path.active = true;
    path.update(0.0f);
    EXPECT_EQ(camera.position, onPath);
}

TEST_F(CameraPathTest, AfterTheEndEveryUpdatePlacesTheCameraOnTheLastKeyPoint) {
    path.update(10000.0f);
    EXPECT_EQ(camera.position, path.m_keyPoints[90].position);
    camera.move(1, 2, 3);
    path.update(0.016f);
    EXPECT_EQ(camera.position, path.m_keyPoints[90].position);
    EXPECT_TRUE(path.active);
}

TEST_F(CameraPathTest, DefaultPathDoesNothingWithoutACamera) {
    CameraPath empty;
    EXPECT_FALSE(empty.active);
    empty.active = true;
    empty.update(1.0f);  // no camera, no key points: nothing to move
    EXPECT_EQ(empty.next, 0);
}

TEST_F(CameraPathTest, SoundObserverHearsEverySoundInOrderWithoutAnEngine) {
    std::vector<std::pair<std::string, bool>> heard;
    path.onSound = [&](const char* sound, bool looped) { heard.emplace_back(sound, looped); };
    const float toGate = glm::length(path.m_keyPoints[1].position - path.m_keyPoints[0].position);
    path.update((toGate - 0.01f) / path.speed);
    EXPECT_TRUE(heard.empty());
    path.update(0.02f / path.speed);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], std::make_pair(std::string("res/Soundeffects/gate.mp3"), false));

    path.update(10000.0f);
    const std::vector<std::string> expected = {"gate",  "ghost", "fire", "chauldron", "wolf",
                                               "laugh", "chair", "rain", "thunder",   "thunder"};
    ASSERT_EQ(heard.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(heard[i].first, "res/Soundeffects/" + expected[i] + ".mp3");
        EXPECT_EQ(heard[i].second, expected[i] == "rain") << expected[i];
    }
}
