#include "Obj.h"

#include <glm/gtc/matrix_transform.hpp>

void Obj::setModelMatrix(glm::mat4 matrix) {
    modelMatrix = matrix;
    position = glm::vec3(matrix[3]);
}

void Obj::translate(glm::vec3 offset) {
    setModelMatrix(glm::translate(glm::mat4(1.0f), offset) * modelMatrix);
}

void Obj::rotate(float angleDegrees, glm::vec3 axis) {
    const float radians = angleDegrees * 0.017453292f;
    setModelMatrix(glm::rotate(glm::mat4(1.0f), radians, axis) * modelMatrix);
}

void Obj::scale(glm::vec3 factors) {
    setModelMatrix(glm::scale(glm::mat4(1.0f), factors) * modelMatrix);
}
