#include "sky/SkyCubeMap.h"

#include "core/Image.h"
#include "sky/CubeFace.h"
#include "sky/NightSky.h"

void writeSkyFace(const std::string& root, int face, int faceSize) {
    static const char* const kFaceFiles[kCubeFaces] = {
        "interstellar_ft.tga", "interstellar_bk.tga", "interstellar_up.tga",
        "interstellar_dn.tga", "interstellar_rt.tga", "interstellar_lf.tga"};
    Image image(faceSize, faceSize);
    for (int y = 0; y < faceSize; ++y) {
        for (int x = 0; x < faceSize; ++x) {
            const float s = (x + 0.5f) / faceSize;
            const float t = (y + 0.5f) / faceSize;
            image.at(x, y) = glm::vec4(nightSkyColour(cubeFaceDirection(face, s, t)), 1.0f);
        }
    }
    writeImage(root + "/res/cubemap/miramar/" + kFaceFiles[face], image, 3);
}
