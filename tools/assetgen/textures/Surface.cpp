#include "textures/Surface.h"

#include "core/Image.h"

SurfaceMaps renderSurface(int size, const SurfaceRecipe& recipe) {
    SurfaceMaps maps;
    maps.size = size;
    maps.texels.resize(static_cast<size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const glm::vec2 uv((x + 0.5f) / size, 1.0f - (y + 0.5f) / size);
            maps.texels[static_cast<size_t>(y) * size + x] = recipe(uv);
        }
    }
    return maps;
}

void writeSurfaceMaps(const std::string& basePath, const SurfaceMaps& maps, bool specular,
                      bool normal, float bumpStrength) {
    const int n = maps.size;
    auto texel = [&](int x, int y) -> const Texel& {
        x = (x + n) % n;
        y = (y + n) % n;
        return maps.texels[static_cast<size_t>(y) * n + x];
    };
    Image colour(n, n);
    Image shine(n, n);
    Image normals(n, n);
    // Slopes are measured per texel of a 512 map, so a recipe looks the same at any size.
    const float scale = bumpStrength * n / 512.0f;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const Texel& t = texel(x, y);
            colour.at(x, y) = glm::vec4(t.albedo, 1.0f);
            shine.at(x, y) = glm::vec4(glm::vec3(t.gloss), 1.0f);
            const float dhdu = 0.5f * (texel(x + 1, y).height - texel(x - 1, y).height);
            const float dhdv = 0.5f * (texel(x, y - 1).height - texel(x, y + 1).height);
            const glm::vec3 nrm = glm::normalize(glm::vec3(-dhdu * scale, -dhdv * scale, 1.0f));
            normals.at(x, y) = glm::vec4(nrm * 0.5f + 0.5f, 1.0f);
        }
    }
    writeImage(basePath + ".jpg", colour, 3);
    if (specular) writeImage(basePath + "_SPEC.jpg", shine, 3);
    if (normal) writeImage(basePath + "_NRM.jpg", normals, 3);
}
