#include "PathSummary.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <glm/gtc/constants.hpp>

namespace {
// Eye positions this far apart along the path are checked against the meshes.
constexpr float kSampleSpacing = 0.05f;
// Surfaces farther than this from every sample are not looked for.
constexpr float kSearchReach = 2.0f;
// Key points closer together than this are one spot pressed twice: the camera passes the segment
// within a frame or two at the path's speed, and any turn of view on it happens at once.
constexpr float kShortestSegment = 0.05f;
// Degrees a second. Faster, the view sweeps more than the picture's own width (69 degrees across
// at 1280 x 768) past in a second, and nothing on screen stays long enough to be followed. The
// scene's own path turns 43 degrees a second at most.
constexpr float kFastestTurn = 60.0f;

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* pattern, ...) {
    char text[256];
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(text, sizeof text, pattern, arguments);
    va_end(arguments);
    return text;
}

std::string place(const FlightSample& sample) {
    return format("between key points %d and %d, at %.1f s", sample.segment, sample.segment + 1,
                  sample.seconds);
}

float viewTurnDegrees(const KeyPoint& a, const KeyPoint& b) {
    const glm::vec3 from = glm::normalize(a.target - a.position);
    const glm::vec3 to = glm::normalize(b.target - b.position);
    // Exact for small angles too, where an arc cosine near 1 rounds to hundredths of a degree.
    return glm::degrees(std::atan2(glm::length(glm::cross(from, to)), glm::dot(from, to)));
}
}  // namespace

std::string describePath(const std::vector<KeyPoint>& keyPoints,
                         const std::vector<SceneMesh>& meshes) {
    float length = 0.0f;
    size_t shortest = 0, longest = 0, sharpest = 0;
    float shortestLength = INFINITY, longestLength = -1.0f, sharpestTurn = -1.0f;
    std::string segmentWarnings;
    for (size_t i = 0; i + 1 < keyPoints.size(); ++i) {
        const float segment = glm::distance(keyPoints[i].position, keyPoints[i + 1].position);
        const float turn = viewTurnDegrees(keyPoints[i], keyPoints[i + 1]);
        length += segment;
        if (segment < shortestLength) shortestLength = segment, shortest = i;
        if (segment > longestLength) longestLength = segment, longest = i;
        if (turn > sharpestTurn) sharpestTurn = turn, sharpest = i;
        if (segment < kShortestSegment) {
            segmentWarnings += format(
                "warning: key points %zu and %zu are %.3f m apart, under %.2f m (C pressed twice "
                "at one spot?): the camera passes from one to the other within a frame or two\n",
                i, i + 1, segment, kShortestSegment);
        }
        const float seconds = segment / kDefaultPathSpeed;
        if (turn > kFastestTurn * seconds) {
            segmentWarnings += format(
                "warning: the view turns %.1f degrees from key point %zu to %zu in %.2f s, "
                "faster than %.0f degrees a second can be followed\n",
                turn, i, i + 1, seconds, kFastestTurn);
        }
    }
    std::string report = format("%zu key points, %.2f m: %.1f s at %.1f m/s\n", keyPoints.size(),
                                length, length / kDefaultPathSpeed, kDefaultPathSpeed);
    report += format("shortest segment: %.3f m, key points %zu to %zu\n", shortestLength, shortest,
                     shortest + 1);
    report += format("longest segment: %.3f m, key points %zu to %zu\n", longestLength, longest,
                     longest + 1);
    report += format("sharpest turn of view: %.1f degrees, key points %zu to %zu\n", sharpestTurn,
                     sharpest, sharpest + 1);
    report += segmentWarnings;

    const std::vector<ClearanceMiss> nearest =
        nearestSurfaces(meshes, sampleFlight(keyPoints, kSampleSpacing), kSearchReach);
    const ClearanceMiss* closest = nullptr;
    int stretches = 0;
    bool inside = false;
    std::string warnings;
    for (const ClearanceMiss& sample : nearest) {
        if (!closest || sample.distance < closest->distance) closest = &sample;
        const bool tooClose = sample.distance < kLeastClearance;
        if (tooClose && !inside) {
            ++stretches;
            warnings += format("warning: within %.1f m of \"%s\" %s\n", kLeastClearance,
                               sample.mesh.c_str(), place(sample.sample).c_str());
        }
        inside = tooClose;
    }
    if (!closest || std::isinf(closest->distance)) {
        report += format("closest approach: more than %.1f m from every surface\n", kSearchReach);
    } else {
        report += format("closest approach: %.3f m to \"%s\", %s\n", closest->distance,
                         closest->mesh.c_str(), place(closest->sample).c_str());
    }
    if (stretches > 0) {
        report += warnings + format(
                                 "warning: %d stretch%s of the path closer than %.1f m to the "
                                 "house: the near plane cuts what is ahead open\n",
                                 stretches, stretches == 1 ? "" : "es", kLeastClearance);
    }
    return report;
}
