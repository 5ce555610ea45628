#pragma once

#include <GL/glew.h>

#include "Camera.h"

// Owns every pass of the deferred pipeline and every effect. One instance exists for the whole run;
// its constructor makes no GL call, init builds the GPU resources once the context exists.
class Renderer {
public:
    const float halfResScale = 0.5f;
    int viewportWidth = 0;
    int viewportHeight = 0;
    const float clearColor[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    Camera camera;

    void init(float width, float height);
    void loadScene();
    void update(float dt);
    void render();
};
