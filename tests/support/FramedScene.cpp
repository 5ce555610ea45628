#include "FramedScene.h"

#include <memory>

#include "Globals.h"
#include "RobustnessSupport.h"
#include "StdoutCapture.h"

void FramedSceneTest::start(int width, int height) {
    scene = std::make_unique<TestScene>(floorAndWall());
    startRenderer(width, height);
    renderer.cameraPath.active = false;
    ASSERT_TRUE(createOutputFrame(width, height, output));
    renderer.outputFramebuffer = output.framebuffer;
}

std::vector<uint8_t> FramedSceneTest::picture() const {
    std::vector<uint8_t> pixels;
    readOutputFrameTopDown(output, pixels);
    return pixels;
}

void FramedSceneTest::set(const char* name, int value) {
    StdoutCapture quiet;
    renderer.setSwitch(name, value);
}
