#pragma once

#include <functional>
#include <glm/glm.hpp>
#include <string>
#include <vector>

// What a surface recipe says about one point of a texture: colour, relief (0..1) and shininess
// (0..1).
struct Texel {
    glm::vec3 albedo;
    float height;
    float gloss;
};

// A recipe maps texture coordinates in [0, 1) (v up) to a texel. Recipes for tiling surfaces use
// tileable noise so that the texture repeats without a seam.
using SurfaceRecipe = std::function<Texel(glm::vec2 uv)>;

struct SurfaceMaps {
    int size = 0;
    std::vector<Texel> texels;  // row 0 at the top of the image (v = 1)
};

SurfaceMaps renderSurface(int size, const SurfaceRecipe& recipe);

// Writes base.jpg (colour) and, if asked, base_SPEC.jpg (shininess as grey) and base_NRM.jpg
// (tangent-space normals from the relief, +y towards the top of the image). bumpStrength scales
// the relief's slopes.
void writeSurfaceMaps(const std::string& basePath, const SurfaceMaps& maps, bool specular,
                      bool normal, float bumpStrength);
