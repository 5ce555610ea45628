#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <vector>

#include "TestScene.h"

// A floor under the camera's start and a wall ahead of it: enough for every pass to have work.
std::vector<SceneBox> floorAndWall();

// Number of values that are NaN or infinite.
size_t countNonFinite(const std::vector<float>& values);

// Resident memory of this process in bytes (/proc/self/statm).
size_t residentBytes();
// Bytes allocated through malloc and not yet freed, over every arena: unlike resident memory it
// moves by the byte, not by the page or the allocator's growth step.
size_t heapBytesInUse();

// Builds the process-wide renderer at the given size and loads the scene of the working
// directory, as main does; returns what the set-up printed.
std::string startRenderer(int width, int height);

// One frame as main runs it: free-fly for the held key, update, render.
void runFrame(float dt);

// What a frame left behind: non-finite values in the window's back buffer (the final image, at
// the viewport's size) and in the lit HDR scene target.
struct FrameHealth {
    size_t nonFiniteWindow = 0;
    size_t nonFiniteScene = 0;
};
FrameHealth inspectFrame();

// Presses and releases random keys of the running program (switches, pause, path speed,
// movement) through the key callback, and picks random frame times, from a fixed seed.
class RandomKeys {
public:
    explicit RandomKeys(unsigned seed) : engine(seed) {}
    // Sends one random press or release.
    void sendOne();
    // A frame time: often 1/60 s, sometimes 0, a stall of several seconds, or anything between.
    float frameTime();
    // Mouse look after a frame, as main does it: the cursor jumps by up to 400 pixels each way.
    void moveMouse();

private:
    std::mt19937 engine;
    double cursorX = 640.0;
    double cursorY = 384.0;
};
