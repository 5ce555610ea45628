#pragma once

// The lightning that comes with each thunder: a stroke of cold light over the scene, in the first
// moments after the thunder's crack, and its afterglow, which fades without flickering. No GL: the
// renderer hands brightness() (or, with the soft flash switch, softenedBrightness()) to the
// lighting and the sky every frame.
class Lightning {
public:
    // The thunder has struck: the stroke comes now.
    void strike();
    // Moves the strike on by dt seconds.
    void update(float dt);
    // The brightness of the flash now: 0 between strikes, 1 at the brightest.
    float brightness() const;
    // The same strike for viewers sensitive to flashes: one slow, faint swell of light with no
    // flicker, too weak anywhere in the picture to count as a flash.
    float softenedBrightness() const;

private:
    float sinceStrike = -1.0f;  // seconds since the last strike; below 0 before any
};
