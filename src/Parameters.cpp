#include "Parameters.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Effects/FireParticles.h"
#include "Effects/HdrToneMapping.h"
#include "Effects/RainParticles.h"
#include "Effects/SmokeVolume.h"
#include "Effects/Ssao.h"
#include "Renderer.h"
#include "ShaderProgram.h"

namespace {
// The smoke marches through the same lights as the lit scene.
void applyLights(Renderer& r) {
    r.lights.setUniforms(*r.lightingProgram);
    r.lights.setUniforms(r.smoke->rayMarchProgram);
}
void applyFog(Renderer& r) {
    r.applyFog();
}
void applyOcclusionReach(Renderer& r) {
    r.ssao->applyReach();
}
void applyBloomStrength(Renderer& r) {
    r.finalProgram->setFloat("u_bloomStrength", r.bloomStrength);
}
void applyBloomThreshold(Renderer& r) {
    r.hdr->toneProgram->setFloat("threshold", r.hdr->threshold);
}

template <int Light>
float* lightColour(Renderer& r) {
    return &r.lights.pointLights[Light]->colour.x;
}
float* ambient(Renderer& r) {
    return &r.lights.ambient;
}
float* fogColour(Renderer& r) {
    return &r.fogColour.x;
}
float* fogDensity(Renderer& r) {
    return &r.fogDensity;
}
float* occlusionRadius(Renderer& r) {
    return &r.ssao->radius;
}
float* occlusionBias(Renderer& r) {
    return &r.ssao->bias;
}
float* pathSpeed(Renderer& r) {
    return &r.cameraPath.speed;
}
float* bloomThreshold(Renderer& r) {
    return &r.hdr->threshold;
}
float* bloomStrength(Renderer& r) {
    return &r.bloomStrength;
}
float* exposure(Renderer& r) {
    return &r.hdr->exposure;
}
float* adaptationSeconds(Renderer& r) {
    return &r.hdr->adaptTime;
}
float* smokeSourceRate(Renderer& r) {
    return &r.smoke->sourceRate;
}
float* smokeBuoyancy(Renderer& r) {
    return &r.smoke->buoyancy;
}
void applySmokeBuoyancy(Renderer& r) {
    r.smoke->computeProgram.setFloat("buoyancy", r.smoke->buoyancy);
}
float* smokeSourceInterval(Renderer& r) {
    return &r.smoke->sourceInterval;
}
int* fireRate(Renderer& r) {
    return &r.fire->rate;
}
int* rainRate(Renderer& r) {
    return &r.rain->rate;
}

float defaultValues[64][NumericParameter::kMostComponents];
}  // namespace

// clang-format off
const NumericParameter kNumericParameters[] = {
    // name, label, unit, smallest, largest, components, floats, int, what follows it
    {"pathSpeed", "path speed", "m/s", 0.0f, 5.0f, 1, pathSpeed, nullptr, nullptr},
    {"blueWispColour", "blue wisp", "RGB", 0.0f, 30.0f, 3, lightColour<0>, nullptr, applyLights},
    {"hallLanternColour", "hall lantern", "RGB", 0.0f, 30.0f, 3, lightColour<1>, nullptr,
        applyLights},
    {"rightGateLanternColour", "right gate lantern", "RGB", 0.0f, 30.0f, 3, lightColour<2>,
        nullptr, applyLights},
    {"leftGateLanternColour", "left gate lantern", "RGB", 0.0f, 30.0f, 3, lightColour<3>, nullptr,
        applyLights},
    {"fireLightColour", "fire light", "RGB", 0.0f, 30.0f, 3, lightColour<4>, nullptr, applyLights},
    {"ambient", "ambient light", "", 0.0f, 2.0f, 1, ambient, nullptr, applyLights},
    {"fogColour", "fog colour", "RGB", 0.0f, 1.0f, 3, fogColour, nullptr, applyFog},
    {"fogDensity", "fog density", "1/m", 0.0f, 0.2f, 1, fogDensity, nullptr, applyFog},
    {"occlusionRadius", "occlusion radius", "m", 0.05f, 5.0f, 1, occlusionRadius, nullptr,
        applyOcclusionReach},
    {"occlusionBias", "occlusion bias", "m", 0.0f, 0.5f, 1, occlusionBias, nullptr,
        applyOcclusionReach},
    {"bloomThreshold", "bloom threshold", "luminance", 0.0f, 4.0f, 1, bloomThreshold, nullptr,
        applyBloomThreshold},
    {"bloomStrength", "bloom strength", "", 0.0f, 20.0f, 1, bloomStrength, nullptr,
     applyBloomStrength},
    {"exposure", "exposure", "", 0.1f, 10.0f, 1, exposure, nullptr, nullptr},
    {"adaptationTime", "eye adaptation", "s", 0.05f, 10.0f, 1, adaptationSeconds, nullptr, nullptr},
    {"smokeSourceRate", "smoke source", "density/s", 0.0f, 50.0f, 1, smokeSourceRate, nullptr,
        nullptr},
    {"smokeSourceInterval", "smoke puff interval", "s", 0.0f, 2.0f, 1, smokeSourceInterval,
        nullptr, nullptr},
    {"smokeBuoyancy", "smoke buoyancy", "cells/s2", 0.0f, 5000.0f, 1, smokeBuoyancy, nullptr,
        applySmokeBuoyancy},
    {"fireRate", "fire rate", "particles/s", 0.0f, 2000.0f, 1, nullptr, fireRate, nullptr},
    {"rainRate", "rain rate", "drops/s", 0.0f, 10000.0f, 1, nullptr, rainRate, nullptr},
};
// clang-format on
const size_t kNumericParameterCount = sizeof(kNumericParameters) / sizeof(kNumericParameters[0]);
static_assert(sizeof(kNumericParameters) / sizeof(kNumericParameters[0]) <= 64,
              "defaultValues holds 64 parameters");

void NumericParameter::get(Renderer& renderer, float* values) const {
    if (floats) {
        std::copy_n(floats(renderer), components, values);
    } else {
        values[0] = static_cast<float>(*integer(renderer));
    }
}

void NumericParameter::set(Renderer& renderer, const float* values) const {
    if (floats) {
        float* to = floats(renderer);
        for (int i = 0; i < components; ++i) to[i] = std::clamp(values[i], smallest, largest);
    } else {
        *integer(renderer) =
            static_cast<int>(std::lround(std::clamp(values[0], smallest, largest)));
    }
    if (apply) apply(renderer);
}

const float* NumericParameter::defaults() const {
    return defaultValues[this - kNumericParameters];
}

bool NumericParameter::isDefault(Renderer& renderer) const {
    float values[kMostComponents];
    get(renderer, values);
    return std::equal(values, values + components, defaults());
}

const NumericParameter* numericParameterNamed(const char* name) {
    for (const NumericParameter& entry : kNumericParameters) {
        if (std::strcmp(entry.name, name) == 0) return &entry;
    }
    return nullptr;
}

void rememberParameterDefaults(Renderer& renderer) {
    for (size_t i = 0; i < kNumericParameterCount; ++i) {
        kNumericParameters[i].get(renderer, defaultValues[i]);
    }
}
