#include "KeyPoint.h"

#include <cstdio>

std::string keyPointLine(glm::vec3 p, glm::vec3 t) {
    char line[256];
    snprintf(line, sizeof(line),
             "m_keyPoints.push_back(KeyPoint(glm::vec3(%f, %f, %f), glm::vec3(%f ,%f ,%f)));\n",
             p.x, p.y, p.z, t.x, t.y, t.z);
    return line;
}
