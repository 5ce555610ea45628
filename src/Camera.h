#pragma once

#include <glm/glm.hpp>

// The viewer: projection, view and the vectors they are made from. The camera path places it with
// setLookAt; the free-fly controls move and turn it.
class Camera {
public:
    glm::mat4 projection{1.0f};
    glm::mat4 view{1.0f};
    glm::vec3 position{0.0f};
    glm::vec3 target{0.0f};
    glm::vec3 front{0.0f};
    // The view's own up and right: up tilts with the view, right stays level and points to the
    // right of the picture.
    glm::vec3 up{0.0f};
    glm::vec3 right{0.0f};
    // The angles of front (radians): yaw from +X towards +Z, pitch above the horizon. They follow
    // every change of the view, so mouse look turns it from where it is.
    float yaw = 0.0f;
    float pitch = 0.0f;
    float fov = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    float near = 0.0f;
    float far = 0.0f;

    Camera() = default;
    Camera(glm::vec3 position, glm::vec3 target, float fovDegrees, float width, float height,
           float near, float far);

    void setLookAt(glm::vec3 position, glm::vec3 target);
    // Adds -a * right - b * up + c * front to the position: a > 0 moves to the left of the view.
    void move(float a, float b, float c);
    // Pitches the view down by pitchDelta and turns it right by yawDelta, stopping short of
    // straight up and down.
    void rotate(float pitchDelta, float yawDelta);
    void updateView();

    glm::vec3 getPosition() const { return position; }
    glm::vec3 getDirection() const { return front; }
    glm::mat4 getProjection() const { return projection; }

private:
    // Takes this unit viewing direction and sets the angles, right and up from it.
    void face(glm::vec3 direction);
    void setSideAndUp();
};

// How far mouse look pitches the view at most, up or down: short of vertical, where the view
// would flip over.
constexpr float kMaxPitch = 89.0f * 3.14159265f / 180.0f;
