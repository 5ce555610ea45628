#include "CameraPath.h"

#include "Camera.h"
#include "Effects/RainParticles.h"
#include "Lightning.h"
#include "Mesh.h"
#include "SoundEngine.h"

namespace {
enum class PathEvent { Sound, Thunder, Rain, BlackWindow, FigureWindow };

struct EventKeyPoint {
    KeyPoint at;
    PathEvent event;
    const char* sound;
    const char* name;  // what the path's drawing calls it
};

// Events are bound to the values of their key points, not to positions in the list: a key point
// that compares equal to one of these fires its event wherever it stands in the path.
// clang-format off
const EventKeyPoint kEvents[] = {
    {{{-2.782899f, 0.167547f, 27.210642f}, {-2.756124f, 0.203539f, 26.211649f}}, PathEvent::Sound, "res/Soundeffects/gate.mp3", "gate"},  // key point 1
    {{{4.996099f, 0.090281f, 12.894716f}, {5.552753f, -0.047281f, 12.075440f}}, PathEvent::Sound, "res/Soundeffects/ghost.mp3", "ghost"},  // key point 13
    {{{8.246131f, -0.167578f, 10.068559f}, {7.682043f, -0.241510f, 9.246161f}}, PathEvent::Sound, "res/Soundeffects/fire.mp3", "fire"},  // key point 18
    {{{5.472793f, -0.709547f, 6.133907f}, {4.891437f, -0.864915f, 5.335229f}}, PathEvent::Sound, "res/Soundeffects/chauldron.mp3", "cauldron"},  // key point 20
    {{{5.909575f, -0.702708f, 2.293380f}, {6.708076f, -1.095808f, 1.837454f}}, PathEvent::Sound, "res/Soundeffects/wolf.mp3", "wolf"},  // key point 31
    {{{-4.270836f, 0.070739f, -12.528933f}, {-4.801775f, -0.041027f, -11.688926f}}, PathEvent::Sound, "res/Soundeffects/laugh.mp3", "laugh"},  // key point 60
    {{{-10.050914f, 1.142796f, -4.366373f}, {-9.331242f, 0.670406f, -4.875214f}}, PathEvent::Sound, "res/Soundeffects/chair.mp3", "chair"},  // key point 69
    {{{-1.877978f, 0.558628f, -2.493242f}, {-1.727686f, 0.638542f, -3.478648f}}, PathEvent::Rain, "res/Soundeffects/rain.mp3", "rain"},  // key point 79
    {{{-1.925825f, 0.045902f, 2.361306f}, {-1.887154f, 0.123823f, 1.365097f}}, PathEvent::Thunder, "res/Soundeffects/thunder.mp3", "thunder"},  // key point 83
    {{{-1.980110f, -0.086041f, 3.759763f}, {-1.941492f, 0.007821f, 2.764927f}}, PathEvent::BlackWindow, nullptr, "window goes black"},  // key point 84
    {{{-2.100944f, -0.401969f, 6.797990f}, {-2.052670f, -0.258466f, 5.809518f}}, PathEvent::Thunder, "res/Soundeffects/thunder.mp3", "thunder"},  // key point 86
    {{{-2.140944f, -0.501969f, 7.797990f}, {-2.092670f, -0.338466f, 6.609518f}}, PathEvent::FigureWindow, nullptr, "figure in the window"},  // key point 87
};
// clang-format on
}  // namespace

CameraPath::CameraPath(Camera* camera, RainParticles* rain)
    : camera(camera), rain(rain), active(true) {
    addKeyPoints();
    follow(m_keyPoints);
}

void CameraPath::follow(std::vector<KeyPoint> keyPoints) {
    m_keyPoints = std::move(keyPoints);
    flownSeconds = 0.0;
    if (m_keyPoints.size() < 2) return;
    from = m_keyPoints[0];
    to = m_keyPoints[1];
    next = 2;
    startSegment();
    camera->setLookAt(from.position, from.target);
    currentPosition = camera->position;
}

std::vector<KeyPoint> CameraPath::builtInKeyPoints() {
    CameraPath path;
    path.addKeyPoints();
    return path.m_keyPoints;
}

void CameraPath::startSegment() {
    direction = glm::normalize(to.position - from.position);
    length = glm::length(to.position - from.position);
    remaining = length;
    travelled = 0.0f;
}

int CameraPath::keyPointReached() const {
    const bool over = next >= static_cast<int>(m_keyPoints.size()) && remaining <= 0.0f;
    return over ? next - 1 : next - 2;
}

void CameraPath::update(float dt) {
    if (!active || !camera) return;
    flownSeconds += dt;
    float t = dt;
    while (true) {
        const float step = t * speed;
        const float rem = remaining - step;
        if (rem > 0.0f) {
            remaining = rem;
            travelled += step;
            currentPosition += step * direction;
            const float f = travelled / length;
            camera->setLookAt(currentPosition, from.target + f * (to.target - from.target));
            return;
        }
        camera->setLookAt(to.position, to.target);
        if (next >= static_cast<int>(m_keyPoints.size())) {
            // The end: nothing is left to travel, so every later update arrives here again.
            remaining = 0.0f;
            travelled = length;
            currentPosition = to.position;
            return;
        }
        from = to;
        to = m_keyPoints[next];
        fireEvents(from);
        ++next;
        startSegment();
        // The overshoot becomes time again, so the next segment starts exactly that far along.
        t = -rem / speed;
        // The segment starts on the key point just reached.
        currentPosition = from.position;
        if (!active) return;
    }
}

CameraPath CameraPath::silentCopy(Camera* camera) const {
    CameraPath copy = *this;
    copy.camera = camera;
    copy.soundEngine = nullptr;
    copy.rain = nullptr;
    copy.lightning = nullptr;
    copy.windowMesh = nullptr;
    copy.onSound = nullptr;
    return copy;
}

bool CameraPath::firesEvent(const KeyPoint& keyPoint) {
    return !eventName(keyPoint).empty();
}

std::string_view CameraPath::eventName(const KeyPoint& keyPoint) {
    for (const EventKeyPoint& entry : kEvents) {
        if (entry.at == keyPoint) return entry.name;
    }
    return {};
}

void CameraPath::fireEvents(const KeyPoint& reached) {
    for (const EventKeyPoint& entry : kEvents) {
        if (!(entry.at == reached)) continue;
        switch (entry.event) {
            case PathEvent::Sound:
                play(entry.sound, false);
                break;
            case PathEvent::Thunder:
                play(entry.sound, false);
                if (lightning) lightning->strike();
                break;
            case PathEvent::Rain:
                play(entry.sound, true);
                startRain();
                break;
            case PathEvent::BlackWindow:
                if (windowMesh) windowMesh->setDiffuseTexture(blackWindowTexture);
                break;
            case PathEvent::FigureWindow:
                if (windowMesh) windowMesh->setDiffuseTexture(figureWindowTexture);
                break;
        }
        return;
    }
}

// A null engine (no sound device) plays nothing.
void CameraPath::play(const char* file, bool looped) {
    if (onSound) onSound(file, looped);
    if (!soundEngine) return;
    soundEngine->play2D(file, looped, false, false, ESM_AUTO_DETECT, false);
}

void CameraPath::startRain() {
    if (rain) rain->active = true;
}
