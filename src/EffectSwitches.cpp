#include "EffectSwitches.h"

#include <cstring>

#include "Effects/HdrToneMapping.h"
#include "Mesh.h"
#include "Renderer.h"
#include "ShaderProgram.h"

namespace {
void applyBloom(Renderer& r) {
    r.finalProgram->setInt("u_doBloom", r.bloomMode != 0);
}
// Off keeps the tone mapper's mode for when it comes back on.
void applyHdr(Renderer& r) {
    if (r.hdrMode != 0) r.hdr->mode = static_cast<GLuint>(r.hdrMode - 1);
}
void applyShadows(Renderer& r) {
    r.lightingProgram->setInt("u_doShadowMappingPoint", r.doShadows != 0);
}
void applyFog(Renderer& r) {
    r.lightingProgram->setInt("u_doFog", r.doFog != 0);
}
void applyAmbientOcclusion(Renderer& r) {
    r.lightingProgram->setInt("u_doAmbientOcclusion", r.doAmbientOcclusion != 0);
}
// A material map switched off keeps its flag 0 on the geometry program: mesh drawing leaves the
// flags of switched-off maps as they are.
void applySpecularMap(Renderer& r) {
    if (!r.mappingSwitches->specular) r.geometryProgram->setInt("u_useSpec", 0);
}
void applyNormalMap(Renderer& r) {
    if (!r.mappingSwitches->normal) r.geometryProgram->setInt("u_useNormal", 0);
}
}  // namespace

// clang-format off
constexpr EffectSwitch kEffectSwitches[] = {
    // key, --set name, overlay label, printed line, states, start, value, what follows it
    {1, "specular", "specular map", "Specular mapping: %s\n", {"OFF", "ON"}, 1,
        nullptr, &MappingSwitches::specular, applySpecularMap},
    {2, "normal", "normal map", "Normal mapping: %s\n", {"OFF", "ON"}, 1,
        nullptr, &MappingSwitches::normal, applyNormalMap},
    {3, "bloomMode", "bloom", "Bloom: %s\n", {"OFF", "FRAG", "COMP"}, 1,
        &Renderer::bloomMode, nullptr, applyBloom},
    {4, "hdrMode", "tone mapping", "HDR: %s\n", {"OFF", "LINEAR", "DRAGO", "DRAGO MODIFIED"}, 1,
        &Renderer::hdrMode, nullptr, applyHdr},
    {5, "doShadows", "shadows", "SHADOWS: %s\n", {"OFF", "SHADOW MAPPING"}, 1,
        &Renderer::doShadows, nullptr, applyShadows},
    {6, "doFog", "fog", "FOG: %s\n", {"OFF", "ON"}, 1,
        &Renderer::doFog, nullptr, applyFog},
    {7, "doAmbientOcclusion", "occlusion", "AMBIENT OCCLUSION: %s\n",
        {"OFF", "SCREEN SPACE"}, 1, &Renderer::doAmbientOcclusion, nullptr, applyAmbientOcclusion},
    {8, "doSmoke", "smoke", "SMOKE: %s\n", {"OFF", "EUCLIDEAN"}, 1,
        &Renderer::doSmoke, nullptr, nullptr},
    {9, "doFire", "fire", "FIRE: %s\n", {"OFF", "GPU PARTICLES"}, 1,
        &Renderer::doFire, nullptr, nullptr},
    {10, "doRain", "rain", "RAIN: %s\n", {"OFF", "GPU PARTICLES"}, 1,
        &Renderer::doRain, nullptr, nullptr},
    {'F', "softFlash", "soft flash", "SOFT FLASH: %s\n", {"OFF", "ON"}, 0,
        &Renderer::softFlash, nullptr, nullptr},
};
// clang-format on
const size_t kEffectSwitchCount = sizeof(kEffectSwitches) / sizeof(kEffectSwitches[0]);

std::string EffectSwitch::keyName() const {
    return key <= kLastFunctionKey ? "F" + std::to_string(key)
                                   : std::string(1, static_cast<char>(key));
}

int EffectSwitch::get(const Renderer& renderer) const {
    return value ? renderer.*value : renderer.mappingSwitches->*map ? 1 : 0;
}

void EffectSwitch::set(Renderer& renderer, int to) const {
    if (value) {
        renderer.*value = to;
    } else {
        renderer.mappingSwitches->*map = to != 0;
    }
}

int EffectSwitch::stateCount() const {
    int count = 0;
    while (count < kMostStates && states[count]) ++count;
    return count;
}

const char* EffectSwitch::stateLabel(int of) const {
    const int last = stateCount() - 1;
    return states[of < 0 ? 0 : of > last ? last : of];
}

int EffectSwitch::next(int after) const {
    return after + 1 < stateCount() ? after + 1 : 0;
}

const EffectSwitch* effectSwitchForKey(int key) {
    for (const EffectSwitch& entry : kEffectSwitches) {
        if (entry.key == key) return &entry;
    }
    return nullptr;
}

const EffectSwitch* effectSwitchNamed(const char* name) {
    for (const EffectSwitch& entry : kEffectSwitches) {
        if (std::strcmp(entry.name, name) == 0) return &entry;
    }
    return nullptr;
}
