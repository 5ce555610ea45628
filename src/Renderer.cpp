#include "Renderer.h"

void Renderer::init(float width, float height) {
    viewportWidth = static_cast<int>(width);
    viewportHeight = static_cast<int>(height);
    camera = Camera(glm::vec3(-2.8f, 0.1f, 28.0f), glm::vec3(-2.8f, 0.1f, 0.0f), 45.0f, width, height,
                    0.1f, 150.0f);
    glClearColor(clearColor[0], clearColor[1], clearColor[2], clearColor[3]);
    glClear(GL_COLOR_BUFFER_BIT);
}

void Renderer::loadScene() {}

void Renderer::update(float) {}

void Renderer::render() {
    glViewport(0, 0, viewportWidth, viewportHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClear(GL_COLOR_BUFFER_BIT);
}
