#pragma once

// The lightning that comes with each thunder: a few strokes of cold light over the scene, in the
// first moments after the thunder's crack. No GL: the renderer hands brightness() to the lighting
// and the sky every frame.
class Lightning {
public:
    // The thunder has struck: the strokes start now.
    void strike();
    // Moves the strokes on by dt seconds.
    void update(float dt);
    // The brightness of the flash now: 0 between strokes, 1 at the brightest.
    float brightness() const;

private:
    float sinceStrike = -1.0f;  // seconds since the last strike; below 0 before any
};
