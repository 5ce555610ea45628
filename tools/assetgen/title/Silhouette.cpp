#include "title/Silhouette.h"

#include <algorithm>
#include <cmath>

void CoverageMask::blend(int x, int y, float coverage) {
    float& v = values[static_cast<size_t>(y) * width + x];
    v = std::max(v, glm::clamp(coverage, 0.0f, 1.0f));
}

void CoverageMask::line(glm::vec2 a, glm::vec2 b, float radius, float softness) {
    const int x0 =
        std::max(0, static_cast<int>(std::floor(std::min(a.x, b.x) - radius - softness)));
    const int x1 =
        std::min(width - 1, static_cast<int>(std::ceil(std::max(a.x, b.x) + radius + softness)));
    const int y0 =
        std::max(0, static_cast<int>(std::floor(std::min(a.y, b.y) - radius - softness)));
    const int y1 =
        std::min(height - 1, static_cast<int>(std::ceil(std::max(a.y, b.y) + radius + softness)));
    const glm::vec2 ab = b - a;
    const float lengthSquared = std::max(glm::dot(ab, ab), 1e-6f);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const glm::vec2 p(x + 0.5f, y + 0.5f);
            const float t = glm::clamp(glm::dot(p - a, ab) / lengthSquared, 0.0f, 1.0f);
            const float d = glm::length(p - (a + t * ab));
            blend(x, y, (radius + 0.5f * softness - d) / softness);
        }
    }
}

void CoverageMask::convex(const std::vector<glm::vec2>& corners) {
    glm::vec2 lo = corners[0];
    glm::vec2 hi = corners[0];
    float area = 0.0f;
    for (size_t i = 0; i < corners.size(); ++i) {
        lo = glm::min(lo, corners[i]);
        hi = glm::max(hi, corners[i]);
        const glm::vec2& p = corners[i];
        const glm::vec2& q = corners[(i + 1) % corners.size()];
        area += p.x * q.y - q.x * p.y;
    }
    const float orientation = area > 0.0f ? 1.0f : -1.0f;
    const int x0 = std::max(0, static_cast<int>(std::floor(lo.x)) - 1);
    const int x1 = std::min(width - 1, static_cast<int>(std::ceil(hi.x)) + 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(lo.y)) - 1);
    const int y1 = std::min(height - 1, static_cast<int>(std::ceil(hi.y)) + 1);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const glm::vec2 p(x + 0.5f, y + 0.5f);
            float inside = 1e9f;  // signed distance to the nearest edge, positive inside
            for (size_t i = 0; i < corners.size(); ++i) {
                const glm::vec2& a = corners[i];
                const glm::vec2& b = corners[(i + 1) % corners.size()];
                const glm::vec2 edge = b - a;
                const float len = std::max(glm::length(edge), 1e-6f);
                const float side =
                    orientation * (edge.x * (p.y - a.y) - edge.y * (p.x - a.x)) / len;
                inside = std::min(inside, side);
            }
            blend(x, y, inside + 0.5f);
        }
    }
}
