#include "Camera.h"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

namespace {
const glm::vec3 kWorldUp(0.0f, 1.0f, 0.0f);
}

Camera::Camera(glm::vec3 position, glm::vec3 target, float fovDegrees, float width, float height,
               float near, float far)
    : projection(glm::perspective(fovDegrees * 0.017453292f, width / height, near, far)),
      view(glm::lookAt(position, target, kWorldUp)),
      position(position),
      target(target),
      fov(fovDegrees),
      width(width),
      height(height),
      near(near),
      far(far) {
    front = glm::normalize(target - position);
    up = kWorldUp;
    right = glm::normalize(glm::cross(up, front));
}

void Camera::setLookAt(glm::vec3 newPosition, glm::vec3 lookAt) {
    position = newPosition;
    up = kWorldUp;
    view = glm::lookAt(position, lookAt, up);
    front = glm::normalize(lookAt - position);
    right = glm::normalize(glm::cross(up, front));
}

void Camera::move(float a, float b, float c) {
    position += -a * right - b * up + c * front;
    updateView();
}

void Camera::rotate(float pitchDelta, float yawDelta) {
    pitch -= pitchDelta;
    yaw += yawDelta;
    front = glm::normalize(glm::vec3(std::cos(yaw) * std::cos(pitch), std::sin(pitch),
                                     std::sin(yaw) * std::cos(pitch)));
    // Note the opposite order to setLookAt's up x front: the side vector flips with the operation
    // that set it last.
    right = glm::normalize(glm::cross(front, kWorldUp));
    up = glm::normalize(glm::cross(right, front));
    updateView();
}

void Camera::updateView() { view = glm::lookAt(position, position + front, up); }
