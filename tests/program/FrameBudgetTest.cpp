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
template <typename Generate>
GLuint nextName(Generate generate) {
    GLuint name = 0;
    generate(1, &name);
    return name;
}

class FrameBudgetTest : public SceneGlTest {};
}  // namespace

// Steady frames (particles born again, smoke and bloom modes switched) allocate no heap memory and
// make no GL object. MURKMOOR_LONG_SOAK=1 runs twenty thousand frames instead of a hundred.
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
    const GLuint textures = nextName(glGenTextures), buffers = nextName(glGenBuffers);
    size_t allocations = 0;
    for (int n = 0; n < frames; ++n) allocations += frame(n);
    EXPECT_EQ(allocations, 0u);
    EXPECT_EQ(nextName(glGenTextures), textures + 1);
    EXPECT_EQ(nextName(glGenBuffers), buffers + 1);
}
