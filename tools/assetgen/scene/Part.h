#pragma once

#include <string>

#include "geometry/SceneModel.h"
#include "geometry/Shapes.h"
#include "textures/MaterialLibrary.h"

// A mesh of the scene with the texture repeat of its material, so that shapes added to it get
// texture coordinates in the material's real-world scale.
struct Part {
    MeshBuilder& mesh;
    float repeat;
};

inline Part part(SceneModel& scene, const std::string& name, const char* material) {
    return Part{scene.mesh(name, material), materialInfo(material).metresPerRepeat};
}

// Rectangles on an axis-aligned plane: 2D coordinates are (z, y) on an X plane, (x, z) on a Y plane
// and (x, y) on a Z plane. `facing` (+1 or -1) picks which way along the axis the faces look.
enum class Axis { X, Y, Z };
void addPlaneRects(Part part, Axis axis, float at, float facing, const Rect2& outer,
                   const std::vector<Rect2>& holes = {});
// The four sides of a rectangular opening through a wall that spans [from, to] along `axis`.
// The bottom side is left out when the opening reaches down to a floor.
void addOpeningSides(Part part, Axis axis, float from, float to, const Rect2& opening,
                     bool withBottom);
