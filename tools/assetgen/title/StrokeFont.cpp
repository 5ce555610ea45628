#include "title/StrokeFont.h"

#include <cmath>

namespace {
using Points = std::vector<glm::vec2>;

void addPolyline(std::vector<Stroke>& strokes, const Points& points) {
    for (size_t i = 1; i < points.size(); ++i) strokes.push_back({points[i - 1], points[i]});
    if (points.size() == 1) strokes.push_back({points[0], points[0]});
}

// An arc of the ellipse filling the glyph box, angles in degrees counter-clockwise from +x.
Points ellipseArc(float fromDegrees, float toDegrees, int steps) {
    Points points;
    for (int i = 0; i <= steps; ++i) {
        const float a = glm::radians(fromDegrees + (toDegrees - fromDegrees) * i / steps);
        points.emplace_back(0.35f + 0.35f * std::cos(a), 0.5f + 0.5f * std::sin(a));
    }
    return points;
}
}  // namespace

std::vector<Stroke> glyphStrokes(char c) {
    std::vector<Stroke> s;
    switch (c) {
        case 'A':
            addPolyline(s, {{0.0f, 0.0f}, {0.35f, 1.0f}, {0.7f, 0.0f}});
            addPolyline(s, {{0.13f, 0.36f}, {0.57f, 0.36f}});
            break;
        case 'D':
            addPolyline(s, {{0.0f, 0.0f},
                            {0.0f, 1.0f},
                            {0.3f, 1.0f},
                            {0.5f, 0.94f},
                            {0.64f, 0.8f},
                            {0.7f, 0.6f},
                            {0.7f, 0.4f},
                            {0.64f, 0.2f},
                            {0.5f, 0.06f},
                            {0.3f, 0.0f},
                            {0.0f, 0.0f}});
            break;
        case 'G': {
            Points arc = ellipseArc(40.0f, 340.0f, 24);
            arc.emplace_back(0.7f, 0.45f);
            arc.emplace_back(0.4f, 0.45f);
            addPolyline(s, arc);
            break;
        }
        case 'I':
            addPolyline(s, {{0.35f, 0.0f}, {0.35f, 1.0f}});
            addPolyline(s, {{0.18f, 1.0f}, {0.52f, 1.0f}});
            addPolyline(s, {{0.18f, 0.0f}, {0.52f, 0.0f}});
            break;
        case 'K':
            addPolyline(s, {{0.0f, 0.0f}, {0.0f, 1.0f}});
            addPolyline(s, {{0.68f, 1.0f}, {0.0f, 0.38f}});
            addPolyline(s, {{0.22f, 0.58f}, {0.7f, 0.0f}});
            break;
        case 'L':
            addPolyline(s, {{0.0f, 1.0f}, {0.0f, 0.0f}, {0.62f, 0.0f}});
            break;
        case 'M':
            addPolyline(s,
                        {{0.0f, 0.0f}, {0.0f, 1.0f}, {0.35f, 0.42f}, {0.7f, 1.0f}, {0.7f, 0.0f}});
            break;
        case 'N':
            addPolyline(s, {{0.0f, 0.0f}, {0.0f, 1.0f}, {0.7f, 0.0f}, {0.7f, 1.0f}});
            break;
        case 'O':
            addPolyline(s, ellipseArc(0.0f, 360.0f, 32));
            break;
        case 'R':
            addPolyline(s, {{0.0f, 0.0f},
                            {0.0f, 1.0f},
                            {0.45f, 1.0f},
                            {0.6f, 0.95f},
                            {0.68f, 0.85f},
                            {0.68f, 0.66f},
                            {0.6f, 0.56f},
                            {0.45f, 0.5f},
                            {0.0f, 0.5f}});
            addPolyline(s, {{0.36f, 0.5f}, {0.7f, 0.0f}});
            break;
        case 'U': {
            Points u = {{0.0f, 1.0f}};
            for (const glm::vec2& p : ellipseArc(180.0f, 360.0f, 16)) {
                u.emplace_back(p.x, 0.3f + (p.y - 0.5f) * 0.6f);
            }
            u.emplace_back(0.7f, 1.0f);
            addPolyline(s, u);
            break;
        }
        case '.':
            addPolyline(s, {{0.1f, 0.0f}});
            break;
        default:
            break;
    }
    return s;
}
