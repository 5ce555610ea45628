#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "geometry/MeshBuilder.h"

// Which faces of a box to build; leaving out faces that rest on or against something keeps faces
// out of other solids.
enum BoxFace : unsigned {
    kFaceNegX = 1u,
    kFacePosX = 2u,
    kFaceNegY = 4u,
    kFacePosY = 8u,
    kFaceNegZ = 16u,
    kFacePosZ = 32u,
    kAllFaces = 63u,
    kNoBottom = 63u & ~4u,
};

void addBox(MeshBuilder& mesh, glm::vec3 min, glm::vec3 max, float metresPerRepeat,
            unsigned faces = kAllFaces);
// A box centred at `centre` with half-extent vectors along its own (orthogonal) axes.
void addOrientedBox(MeshBuilder& mesh, glm::vec3 centre, glm::vec3 halfX, glm::vec3 halfY,
                    glm::vec3 halfZ, float metresPerRepeat, unsigned faces = kAllFaces);

// A tapered tube from `from` to `to` with `sides` sides; smooth sides when `smooth`, flat caps
// where asked. Texture u runs around it in metres, v along it.
void addTube(MeshBuilder& mesh, glm::vec3 from, glm::vec3 to, float radiusFrom, float radiusTo,
             int sides, float metresPerRepeat, bool smooth, bool capFrom, bool capTo);

// A surface of revolution about the vertical axis through `centre`: profile points are (radius,
// height above centre) in order; radius 0 closes the surface at the axis.
void addLathe(MeshBuilder& mesh, glm::vec3 centre, const std::vector<glm::vec2>& profile, int sides,
              float metresPerRepeat);

// An ellipsoid with the given radii.
void addEllipsoid(MeshBuilder& mesh, glm::vec3 centre, glm::vec3 radii, int sides, int rings,
                  float metresPerRepeat);

// A convex outline (in a plane spanned by `across` and `up` through `origin`) extruded by `depth`
// along across x up; both faces and the rim are built.
void addExtrudedOutline(MeshBuilder& mesh, glm::vec3 origin, glm::vec3 across, glm::vec3 up,
                        const std::vector<glm::vec2>& outline, float depth, float metresPerRepeat,
                        bool withBottomRim = true);

// A pyramid's sides from a convex base (counter-clockwise seen from above) to an apex.
void addPyramidSides(MeshBuilder& mesh, const std::vector<glm::vec3>& base, glm::vec3 apex,
                     float metresPerRepeat);

// Axis-aligned rectangles in a plane's own 2D coordinates.
struct Rect2 {
    glm::vec2 min;
    glm::vec2 max;
};
// The parts of `outer` not covered by any hole, as non-overlapping rectangles.
std::vector<Rect2> subtractRects(const Rect2& outer, const std::vector<Rect2>& holes);
