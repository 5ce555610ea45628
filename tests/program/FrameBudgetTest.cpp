#include <gmock/gmock.h>

#include "AllocationCounter.h"
#include "Effects/RainParticles.h"
#include "GlTestFixture.h"
#include "Globals.h"
#include "StdoutCapture.h"
#include "TestScene.h"

namespace {
// GL objects are numbered as they are made: a frame that makes one moves the next name on.
GLuint nextTextureName() {
    GLuint name = 0;
    glGenTextures(1, &name);
    return name;
}
}  // namespace

class FrameBudgetTest : public GlTest {};

TEST_F(FrameBudgetTest, SteadyFramesAllocateNothingAndMakeNoGlObject) {
    TestScene scene({{"Floor", {-30, -2.7f, -10}, {30, -1.7f, 40}},
                     {"Wall", {-6, -1.7f, 10}, {2, 3, 11}},
                     {"bone", {3, -0.7f, 3}, {3.3f, -0.6f, 3.2f}}});
    StdoutCapture quiet;
    renderer.init(kWidth, kHeight);
    renderer.loadScene();
    renderer.rain->active = true;
    for (int i = 0; i < 3; ++i) {  // first frames may still settle driver state
        renderer.update(1.0f / 30.0f);
        renderer.render();
    }
    for (const int bloom : {1, 2}) {
        renderer.setSwitch("bloomMode", bloom);
        renderer.update(1.0f / 30.0f);
        renderer.render();
    }
    const GLuint before = nextTextureName();
    const size_t allocated = heapAllocations();
    for (const int bloom : {1, 2}) {
        renderer.setSwitch("bloomMode", bloom);
        for (int i = 0; i < 2; ++i) {
            renderer.update(1.0f / 30.0f);
            renderer.render();
        }
    }
    const size_t frameAllocations = heapAllocations() - allocated;
    const GLuint after = nextTextureName();
    const std::string out = quiet.finish();
    EXPECT_EQ(frameAllocations, 0u);
    EXPECT_EQ(after, before + 1);
    EXPECT_THAT(out, ::testing::Not(::testing::HasSubstr("Uniform does not exist")));
}
