#include "sky/CubeFace.h"

glm::vec3 cubeFaceDirection(int face, float s, float t) {
    // GL picks the face by the major axis and then s = (sc / |ma| + 1) / 2, t = (tc / |ma| + 1) / 2
    // with (sc, tc) per face as below; this inverts that table.
    const float sc = 2.0f * s - 1.0f;
    const float tc = 2.0f * t - 1.0f;
    glm::vec3 d(0.0f);
    switch (face) {
        case 0:
            d = glm::vec3(1.0f, -tc, -sc);
            break;
        case 1:
            d = glm::vec3(-1.0f, -tc, sc);
            break;
        case 2:
            d = glm::vec3(sc, 1.0f, tc);
            break;
        case 3:
            d = glm::vec3(sc, -1.0f, -tc);
            break;
        case 4:
            d = glm::vec3(sc, -tc, 1.0f);
            break;
        default:
            d = glm::vec3(-sc, -tc, -1.0f);
            break;
    }
    return glm::normalize(d);
}
