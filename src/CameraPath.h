#pragma once

#include <GL/glew.h>

#include <functional>
#include <string_view>
#include <vector>

#include "KeyPoint.h"

class Camera;
class Lightning;
class Mesh;
class RainParticles;
class SoundEngine;

// Metres a second that the camera flies at start.
constexpr float kDefaultPathSpeed = 0.9f;

// Flies the camera along the key points at a constant speed and fires the scripted events of the
// key points it reaches: sounds, the lightning of the thunders, the start of the rain and the
// pictures of one window.
class CameraPath {
public:
    SoundEngine* soundEngine = nullptr;
    Camera* camera = nullptr;
    float speed = kDefaultPathSpeed;
    GLuint blackWindowTexture = 0;
    GLuint figureWindowTexture = 0;
    std::vector<KeyPoint> m_keyPoints;
    KeyPoint from;
    KeyPoint to;
    glm::vec3 direction{0.0f};
    glm::vec3 currentPosition{0.0f};
    int next = 0;
    Mesh* windowMesh = nullptr;
    float length = 0.0f;
    float remaining = 0.0f;
    float travelled = 0.0f;
    RainParticles* rain = nullptr;
    // Strikes with each thunder; null where nothing is drawn.
    Lightning* lightning = nullptr;
    bool active = false;
    // Seconds the camera has flown the path, pauses left out.
    double flownSeconds = 0.0;
    // Told of every sound the path plays, with or without an engine: lets a tool lay out the
    // soundtrack from the real events. Null in the program.
    std::function<void(const char* sound, bool looped)> onSound;

    CameraPath() = default;
    // Places the camera on the first key point. The rain system is the renderer's.
    CameraPath(Camera* camera, RainParticles* rain);

    void update(float dt);
    // Flies these key points instead, from the first one (where the camera is placed). Events
    // fire where a key point equals one that carries an event. Needs two key points at least.
    void follow(std::vector<KeyPoint> keyPoints);
    // The key point the camera reached last: where the segment it flies starts, or the last key
    // point once the flight is over.
    int keyPointReached() const;
    // A copy that flies on from where this path is, moving `camera` and firing no event: no
    // sound, rain, lightning or window picture, and nothing told.
    CameraPath silentCopy(Camera* camera) const;
    // The scene's own flight.
    static std::vector<KeyPoint> builtInKeyPoints();
    // Whether reaching this key point fires an event: it equals one of the scene's event key
    // points.
    static bool firesEvent(const KeyPoint& keyPoint);
    // What reaching this key point does, in a word or three ("gate", "rain", "thunder"), or an
    // empty view where it fires nothing.
    static std::string_view eventName(const KeyPoint& keyPoint);

private:
    void addKeyPoints();
    void startSegment();
    void fireEvents(const KeyPoint& reached);
    void play(const char* file, bool looped);
    void startRain();
};
