#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "PathTimeline.h"

class Camera;
class CameraPath;
struct FlightLoop;
struct ImDrawList;

// The camera path drawn over the finished picture (P shows and hides it): a line through the key
// points, each marked with its number and, where it fires one, its event in yellow; the segment
// being flown in green, the loop in blue. Projected with the camera that drew the frame, in window
// pixels; a point behind the eye or off the picture is not marked, and the line is cut at the near
// plane.
class PathDrawing {
public:
    bool shown = false;

    // Where the picture lies in the window: pixels, origin at the top left.
    struct Area {
        float x = 0.0f;
        float y = 0.0f;
        float width = 0.0f;
        float height = 0.0f;
    };

    // Adds the drawing to `draw` in its current font.
    void build(ImDrawList& draw, const CameraPath& path, const Camera& camera,
               const FlightLoop* loop, Area picture);

    // Where `point` lands in the picture, or false where it lies behind the near plane or outside
    // the picture.
    static bool project(const glm::mat4& viewProjection, glm::vec3 point, Area picture,
                        glm::vec2& at);
    // The segment from a to b in window pixels, cut where it passes behind the near plane; false
    // where it lies wholly behind it. The ends may lie outside the picture.
    static bool projectSegment(const glm::mat4& viewProjection, glm::vec3 a, glm::vec3 b,
                               Area picture, glm::vec2& from, glm::vec2& to);

private:
    struct Marker {
        glm::vec2 at;
        float depth;
        int index;
    };
    // Draws the path's stretch from `fromSeconds` to `toSeconds` of the laid-out flight.
    void drawStretch(ImDrawList& draw, const CameraPath& path, double fromSeconds, double toSeconds,
                     unsigned colour, float thickness) const;
    void drawLine(ImDrawList& draw, glm::vec3 a, glm::vec3 b, unsigned colour,
                  float thickness) const;
    glm::vec3 pointAt(const CameraPath& path, double seconds) const;

    glm::mat4 viewProjection_{1.0f};
    Area picture_;
    PathTimeline timeline_;
    std::vector<Marker> markers_;  // kept from frame to frame with their memory
};
