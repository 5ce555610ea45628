#include "FlightTimeline.h"

#include "Camera.h"
#include "CameraPath.h"

FlightTimeline traceFlight(double fps, const std::vector<KeyPoint>& keyPoints, float speed) {
    Camera camera({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}, 45, 320, 192, 0.1f, 150);
    CameraPath path(&camera, nullptr);
    path.follow(keyPoints);
    path.speed = speed;
    FlightTimeline timeline;
    long step = 0;
    path.onSound = [&](const char* sound, bool looped) {
        timeline.sounds.push_back({static_cast<double>(step) / fps, sound, looped});
    };
    // The renderer hands the path the same float step.
    const float dt = static_cast<float>(1.0 / fps);
    const size_t keyPointCount = path.m_keyPoints.size();
    // A path that never arrives (no speed) would loop forever; a day of flight is plenty.
    const long limit = static_cast<long>(fps * 86400.0);
    // The path starts on key point 0, heading for key point next - 1: every key point before
    // that one has been reached.
    timeline.keyPointArrivals.push_back(0.0);
    while (step < limit &&
           !(static_cast<size_t>(path.next) >= keyPointCount && path.remaining <= 0.0f)) {
        ++step;
        path.update(dt);
        while (timeline.keyPointArrivals.size() + 1 < static_cast<size_t>(path.next)) {
            timeline.keyPointArrivals.push_back(static_cast<double>(step) / fps);
        }
    }
    timeline.arrival = static_cast<double>(step) / fps;
    if (keyPointCount > 1 && step < limit) timeline.keyPointArrivals.push_back(timeline.arrival);
    return timeline;
}

FlightTimeline traceFlight(double fps) {
    return traceFlight(fps, CameraPath::builtInKeyPoints());
}
