#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "AllocationCounter.h"
#include "Effects/RainParticles.h"
#include "Effects/SmokeVolume.h"
#include "Globals.h"
#include "RobustnessSupport.h"

namespace {
// GL objects are numbered as they are made: a frame that makes one moves the next name on.
GLuint nextTextureName() {
    GLuint name = 0;
    glGenTextures(1, &name);
    return name;
}
GLuint nextBufferName() {
    GLuint name = 0;
    glGenBuffers(1, &name);
    return name;
}

class FrameBudgetTest : public SceneGlTest {};
}  // namespace

// Nothing the frames keep grows with their count: steady frames make no heap allocation and no GL
// object, over enough frames for the fire's and the rain's particles (1.5 s lives) to be born
// again, with the smoke and both bloom modes switched in and out. MURKMOOR_LONG_SOAK=1 runs twenty
// thousand frames instead of a hundred.
TEST_F(FrameBudgetTest, SteadyFramesAllocateNothingAndMakeNoGlObject) {
    const int frames = std::getenv("MURKMOOR_LONG_SOAK") ? 20000 : 100;
    scene = std::make_unique<TestScene>(floorAndWall());
    startRenderer(96, 64);
    // The path is held, so that no scripted event (a sound) does work of its own midway.
    renderer.cameraPath.active = false;
    renderer.rain->active = true;
    renderer.smoke->jacobiIterations = 4;  // the solve allocates nothing whatever its length
    StdoutCapture quiet;
    const auto frame = [&](int n) {
        renderer.setSwitch("doSmoke", n % 50 == 0);
        renderer.setSwitch("bloomMode", n % 100 < 50 ? 1 : 2);
        const size_t before = heapAllocations();
        runFrame(1.0f / 30.0f);
        return heapAllocations() - before;
    };
    // The first frames of each switch setting compile the driver's shader variants.
    for (int n = 0; n < 51; ++n) frame(n);
    const GLuint textures = nextTextureName();
    const GLuint buffers = nextBufferName();
    size_t allocations = 0;
    for (int n = 0; n < frames; ++n) allocations += frame(n);
    EXPECT_EQ(allocations, 0u);
    EXPECT_EQ(nextTextureName(), textures + 1);
    EXPECT_EQ(nextBufferName(), buffers + 1);
}
