#include "FlightTimeline.h"

#include "Camera.h"
#include "CameraPath.h"

FlightTimeline traceFlight(double fps) {
    Camera camera({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}, 45, 320, 192, 0.1f, 150);
    CameraPath path(&camera, nullptr);
    FlightTimeline timeline;
    long step = 0;
    path.onSound = [&](const char* sound, bool looped) {
        timeline.sounds.push_back({static_cast<double>(step) / fps, sound, looped});
    };
    // The renderer hands the path the same float step.
    const float dt = static_cast<float>(1.0 / fps);
    const size_t keyPoints = path.m_keyPoints.size();
    // A path that never arrives (no speed) would loop forever; a day of flight is plenty.
    const long limit = static_cast<long>(fps * 86400.0);
    while (step < limit &&
           !(static_cast<size_t>(path.next) >= keyPoints && path.remaining <= 0.0f)) {
        ++step;
        path.update(dt);
    }
    timeline.arrival = static_cast<double>(step) / fps;
    return timeline;
}
