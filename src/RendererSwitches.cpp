#include <cstdio>

#include "Effects/HdrToneMapping.h"
#include "Renderer.h"
#include "ShaderProgram.h"

namespace {
// Two-state switches are on when not 0, as the passes read them: on becomes 0, off becomes 1.
int flipped(int value) {
    return value != 0 ? 0 : 1;
}
}  // namespace

const char* Renderer::effectState(int index) const {
    static const char* const bloomNames[3] = {"OFF", "FRAG", "COMP"};
    static const char* const hdrNames[4] = {"OFF", "LINEAR", "DRAGO", "DRAGO MODIFIED"};
    const auto onOff = [](bool on) { return on ? "ON" : "OFF"; };
    switch (index) {
        case 1: return onOff(mappingSwitches->specular);
        case 2: return onOff(mappingSwitches->normal);
        case 3: return bloomNames[bloomMode];
        case 4: return hdrNames[hdrMode];
        case 5: return doShadows ? "SHADOW MAPPING" : "OFF";
        case 6: return onOff(doFog);
        case 7: return doAmbientOcclusion ? "SCREEN SPACE" : "OFF";
        case 8: return doSmoke ? "EUCLIDEAN" : "OFF";
        case 9: return doFire ? "GPU PARTICLES" : "OFF";
        case 10: return doRain ? "GPU PARTICLES" : "OFF";
        default: return "";
    }
}

void Renderer::toggleEffect(int index) {
    switch (index) {
        case 1:
            mappingSwitches->specular = !mappingSwitches->specular;
            applyMappingSwitches();
            printf("Specular mapping: %s\n", effectState(index));
            break;
        case 2:
            mappingSwitches->normal = !mappingSwitches->normal;
            applyMappingSwitches();
            printf("Normal mapping: %s\n", effectState(index));
            break;
        case 3:
            bloomMode = (bloomMode + 1) % 3;
            finalProgram->setInt("u_doBloom", bloomMode != 0);
            printf("Bloom: %s\n", effectState(index));
            break;
        case 4:
            hdrMode = (hdrMode + 1) & 3;
            // Off keeps the tone mapper's mode for when it comes back on.
            if (hdrMode != 0) hdr->mode = static_cast<GLuint>(hdrMode - 1);
            printf("HDR: %s\n", effectState(index));
            break;
        case 5:
            doShadows = flipped(doShadows);
            lightingProgram->setInt("u_doShadowMappingPoint", doShadows != 0);
            printf("SHADOWS: %s\n", effectState(index));
            break;
        case 6:
            doFog = flipped(doFog);
            lightingProgram->setInt("u_doFog", doFog != 0);
            printf("FOG: %s\n", effectState(index));
            break;
        case 7:
            doAmbientOcclusion = flipped(doAmbientOcclusion);
            lightingProgram->setInt("u_doAmbientOcclusion", doAmbientOcclusion != 0);
            printf("AMBIENT OCCLUSION: %s\n", effectState(index));
            break;
        case 8:
            doSmoke = flipped(doSmoke);
            printf("SMOKE: %s\n", effectState(index));
            break;
        case 9:
            doFire = flipped(doFire);
            printf("FIRE: %s\n", effectState(index));
            break;
        case 10:
            doRain = flipped(doRain);
            printf("RAIN: %s\n", effectState(index));
            break;
        default:
            break;
    }
}

bool Renderer::setSwitch(const std::string& name, int value) {
    if (name == "specular" || name == "normal") {
        (name == "specular" ? mappingSwitches->specular : mappingSwitches->normal) = value != 0;
        applyMappingSwitches();
        return true;
    }
    struct Named {
        const char* name;
        int* value;
    };
    const Named switches[] = {{"doShadows", &doShadows},
                              {"hdrMode", &hdrMode},
                              {"bloomMode", &bloomMode},
                              {"doFog", &doFog},
                              {"doAmbientOcclusion", &doAmbientOcclusion},
                              {"doSmoke", &doSmoke},
                              {"doFire", &doFire},
                              {"doRain", &doRain}};
    for (const Named& entry : switches) {
        if (name != entry.name) continue;
        *entry.value = value;
        if (hdrMode != 0) hdr->mode = static_cast<GLuint>(hdrMode - 1);
        lightingProgram->setInt("u_doShadowMappingPoint", doShadows != 0);
        lightingProgram->setInt("u_doFog", doFog != 0);
        lightingProgram->setInt("u_doAmbientOcclusion", doAmbientOcclusion != 0);
        finalProgram->setInt("u_doBloom", bloomMode != 0);
        return true;
    }
    return false;
}
