#pragma once

#include <random>
#include <string>
#include <vector>

#include "TestScene.h"

// A floor under the camera's start and a wall ahead of it: enough for every pass to have work.
std::vector<SceneBox> floorAndWall();

// Builds the process-wide renderer and loads the scene of the working directory (a TestScene's, or
// the real house of the tests' work folder), as main does; returns what the set-up printed.
std::string startRenderer(int width, int height);

void runFrame(float dt);

// Non-finite values a frame left in the window's back buffer and in the lit HDR scene target.
struct FrameHealth {
    size_t nonFiniteWindow = 0;
    size_t nonFiniteScene = 0;
};
FrameHealth inspectFrame();

// Random key presses and releases, frame times and mouse jumps, as main would see them, seeded.
class RandomKeys {
public:
    explicit RandomKeys(unsigned seed) : engine(seed) {}
    void sendSome();    // up to three presses or releases
    float frameTime();  // often 1/60 s, sometimes 0, a stall of seconds, or anything between
    void moveMouse();   // mouse look after a frame, the cursor jumping up to 400 pixels

private:
    std::mt19937 engine;
    double cursorX = 640.0;
    double cursorY = 384.0;
};
