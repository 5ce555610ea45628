#pragma once

#include <GL/glew.h>

#include "Light.h"

// The texture unit that each pass's sampler reads, named once: the code that binds a texture binds
// it on its unit here and sets the sampler uniform to the same constant.
namespace units {
// The geometry pass: the material maps.
constexpr GLint kDiffuseMap = 0;
constexpr GLint kSpecularMap = 1;
constexpr GLint kNormalMap = 2;

// The lighting pass: the G-buffer, the ambient occlusion, and the shadow cube maps of up to
// kShadowCubeCount lights on the units from kShadowCubes on.
constexpr GLint kColorSpec = 0;
constexpr GLint kFragPos = 1;
constexpr GLint kNormal = 2;
constexpr GLint kViewSpace = 3;
constexpr GLint kAmbientOcclusion = 4;
constexpr GLint kShadowCubes = 5;
constexpr int kShadowCubeCount = kMaxPointLights;  // one for each light the shaders take

// A pass of one input image (copy, blur, sky, the final composite's scene); the composite's bloom.
constexpr GLint kImage = 0;
constexpr GLint kBloom = 1;

// The ambient occlusion: view-space positions, normals and the rotation noise.
constexpr GLint kSsaoPosition = 0;
constexpr GLint kSsaoNormal = 1;
constexpr GLint kSsaoNoise = 2;

// The smoke: its ray march's entry and exit points, volume and scene positions; the simulation's
// velocity.
constexpr GLint kSmokeFrontFaces = 0;
constexpr GLint kSmokeBackFaces = 1;
constexpr GLint kSmokeVolume = 2;
constexpr GLint kSmokeScene = 3;
constexpr GLint kSmokeVelocity = 0;

// The fire's sprites and the scene positions they fade against.
constexpr GLint kFireSprite = 0;
constexpr GLint kSmokeSprite = 1;
constexpr GLint kFireScene = 2;

// A view's first and second input image.
constexpr GLint kViewFirst = 0;
constexpr GLint kViewSecond = 1;
}  // namespace units
