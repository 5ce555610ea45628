#include "Camera.h"

#include <cmath>
#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

Camera::Camera(glm::vec3 position, glm::vec3 target, float fovDegrees, float width, float height,
               float near, float far)
    : projection(glm::perspective(fovDegrees * 0.017453292f, width / height, near, far)),
      position(position),
      target(target),
      fov(fovDegrees),
      width(width),
      height(height),
      near(near),
      far(far) {
    face(glm::normalize(target - position));
    updateView();
}

void Camera::setLookAt(glm::vec3 newPosition, glm::vec3 lookAt) {
    position = newPosition;
    face(glm::normalize(lookAt - position));
    updateView();
}

void Camera::move(float a, float b, float c) {
    position += -a * right - b * up + c * front;
    updateView();
}

void Camera::rotate(float pitchDelta, float yawDelta) {
    pitch = glm::clamp(pitch - pitchDelta, -kMaxPitch, kMaxPitch);
    // Kept within one turn, so that endless turning loses no precision.
    yaw = std::remainder(yaw + yawDelta, glm::two_pi<float>());
    front = glm::vec3(std::cos(yaw) * std::cos(pitch), std::sin(pitch),
                      std::sin(yaw) * std::cos(pitch));
    setSideAndUp();
    updateView();
}

void Camera::updateView() {
    view = glm::lookAt(position, position + front, up);
}

void Camera::face(glm::vec3 direction) {
    front = direction;
    yaw = std::atan2(front.z, front.x);
    pitch = std::asin(glm::clamp(front.y, -1.0f, 1.0f));
    setSideAndUp();
}

void Camera::setSideAndUp() {
    // front x world up, made from the yaw so that it is defined looking straight up or down too.
    right = glm::vec3(-std::sin(yaw), 0.0f, std::cos(yaw));
    up = glm::cross(right, front);
}
