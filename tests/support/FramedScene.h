#pragma once

#include <cstdint>
#include <vector>

#include "OutputFrame.h"
#include "TestScene.h"

// The process-wide renderer on a floor and a wall, its path held, drawing into a framebuffer that
// stands in for a window of the size given.
class FramedSceneTest : public SceneGlTest {
protected:
    OutputFrame output;

    void start(int width, int height);
    // What the window shows now: RGB bytes, top row first.
    std::vector<uint8_t> picture() const;
    // Sets a switch, without its console line.
    static void set(const char* name, int value);
};
