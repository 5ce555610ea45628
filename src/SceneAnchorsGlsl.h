#pragma once

#include <string>

// The scene's numbers that the shaders use too, written as GLSL constants: the shaders include
// them as "scene.glsl", so that each number is still written down once, in SceneAnchors.h.
std::string sceneAnchorsGlsl();
