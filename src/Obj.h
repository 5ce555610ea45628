#pragma once

#include <glm/glm.hpp>

// Base of everything placed in the world. Transforms act in world space, about the world origin:
// each new transform is multiplied on the left of modelMatrix.
class Obj {
public:
    glm::vec3 position{0.0f};
    glm::mat4 modelMatrix{1.0f};

    virtual void setModelMatrix(glm::mat4 matrix);

    void translate(glm::vec3 offset);
    void rotate(float angleDegrees, glm::vec3 axis);
    void scale(glm::vec3 factors);
};
