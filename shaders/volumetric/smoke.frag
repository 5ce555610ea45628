#version 430 core
// Smoke ray march: from where the view ray enters the smoke box to where it leaves it (or to the
// scene's surface, if that comes first), accumulating the light the smoke scatters towards the
// eye and the light it absorbs. Output: the scattered light divided by alpha, and alpha =
// 1 - transmittance, for blending with GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA.
out vec4 fragColor;

// Face targets (cube.frag): rgb = box coordinates, a = minus the distance from the eye (< 0
// where the box covers the pixel). Same size as the screen target, so read texel for pixel.
uniform sampler2D u_frontFaces;                 // unit 0: where rays enter the box
uniform sampler2D u_backFaces;                  // unit 1: where rays leave it
uniform sampler3D u_volumePresssureGradient;    // unit 2: the simulation; density in alpha
uniform sampler2D u_scenePosDis;                // unit 3: scene world positions, a = 1 on geometry
uniform mat4 u_modelMatrix;                     // box coordinates to world
uniform mat4 u_modelMatrixInverse;              // world to box coordinates
uniform vec3 u_camPos;                          // eye, world

#include "common/pointLights.glsl"

const float EXTINCTION = 6.0;        // per metre per unit density: wisps, not a wall
const float ALBEDO = 0.15;           // sooty smoke: most of the light it stops, it absorbs
const vec3 AMBIENT_TINT = vec3(0.7, 0.75, 0.85);  // moonlit sky around the smoke
const float FORWARD_G = 0.5;         // Henyey-Greenstein asymmetry of the forward lobe
// A light below the box's floor and within its footprint burns under the cauldron: the pot hides
// it from the smoke but for what licks up round the rim, fading with height above the floor.
const float UNDER_POT_SHARE = 0.3;   // of such a light reaching the smoke at the rim
const float UNDER_POT_FALLOFF = 0.3; // metres above the rim over which that share fades by 1/e
const float FOOTPRINT_MARGIN = 0.25; // box units beyond the sides still counted as under the pot
// The smoke thins out towards the box's open sides and top, so it ends in wisps, not at a face.
const float SIDE_FADE = 0.15;        // box units
const float TOP_FADE = 0.35;
const float STEP_CELLS = 1.5;        // march step in grid cells
const int MAX_STEPS = 96;
const float PI = 3.14159265;

// Henyey-Greenstein phase function, scaled so that its average over the sphere is 1.
float forwardLobe(float cosTheta) {
    float g2 = FORWARD_G * FORWARD_G;
    return (1.0 - g2) / pow(1.0 + g2 - 2.0 * FORWARD_G * cosTheta, 1.5);
}

// Whether a light stands below the box's floor and within its footprint.
bool underPot(vec3 lightPos) {
    vec3 lightBox = (u_modelMatrixInverse * vec4(lightPos, 1.0)).xyz;
    return lightBox.y < 0.0 && all(greaterThan(lightBox.xz, vec2(-FOOTPRINT_MARGIN))) &&
           all(lessThan(lightBox.xz, vec2(1.0 + FOOTPRINT_MARGIN)));
}

// The lights under the pot, one bit each. A bit mask and not an array of bool: an indexed bool
// array is compiled by some drivers (Mesa 22's zink) into SPIR-V its Vulkan driver rejects.
uint lightsUnderPot() {
    uint mask = 0u;
    for (int i = 0; i < u_pointLightsCount; ++i) {
        if (underPot(u_pointLights[i].pos)) mask |= 1u << uint(i);
    }
    return mask;
}

// Share of light i that reaches a point of the smoke: all of it, unless the light is under the
// pot.
float lightReach(int i, uint underPotMask, vec3 pointBox) {
    if ((underPotMask & (1u << uint(i))) == 0u) return 1.0;
    float boxHeight = length(u_modelMatrix[1].xyz);  // metres from the box's floor to its top
    float aboveRim = pointBox.y * boxHeight;
    return UNDER_POT_SHARE * exp(-aboveRim / UNDER_POT_FALLOFF);
}

// Light reaching a world point from the point lights, weighted by how much of it the smoke
// sends towards the eye: an even part plus a forward lobe as strong as the light's "spec".
vec3 inScattered(vec3 p, vec3 pointBox, vec3 towardsEye, uint underPotMask) {
    vec3 light = u_lightAmb * AMBIENT_TINT;
    for (int i = 0; i < u_pointLightsCount; ++i) {
        vec3 toPoint = p - u_pointLights[i].pos;
        float d = length(toPoint);
        float attenuation = pointLightAttenuation(u_pointLights[i], d);
        float cosTheta = dot(toPoint / max(d, 1e-4), towardsEye);
        float phase = (1.0 + u_pointLights[i].spec * forwardLobe(cosTheta)) /
                      (1.0 + u_pointLights[i].spec);
        light += u_pointLights[i].col * attenuation * phase * lightReach(i, underPotMask, pointBox);
    }
    return light;
}

void main() {
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec4 exitFace = texelFetch(u_backFaces, pixel, 0);
    if (exitFace.a >= 0.0) discard;  // the box does not cover this pixel
    vec4 entryFace = texelFetch(u_frontFaces, pixel, 0);

    // Ray from the entry to the exit point; with the eye inside the box there is no entry face
    // and the ray starts at the eye.
    vec3 startBox;
    float startDistance;
    if (entryFace.a < 0.0) {
        startBox = entryFace.rgb;
        startDistance = -entryFace.a;
    } else {
        startBox = (u_modelMatrixInverse * vec4(u_camPos, 1.0)).xyz;
        startDistance = 0.0;
    }
    vec3 endBox = exitFace.rgb;
    float endDistance = -exitFace.a;

    // Scene geometry in front of the exit point ends the ray there: compare distances from the eye.
    float reach = 1.0;  // fraction of the entry-exit segment to march
    vec4 scene = texelFetch(u_scenePosDis, pixel, 0);
    if (scene.a > 0.5) {
        float sceneDistance = length(scene.xyz - u_camPos);
        reach = clamp((sceneDistance - startDistance) / max(endDistance - startDistance, 1e-4),
                      0.0, 1.0);
    }
    if (reach <= 0.0) discard;

    vec3 startWorld = (u_modelMatrix * vec4(startBox, 1.0)).xyz;
    vec3 endWorld = (u_modelMatrix * vec4(endBox, 1.0)).xyz;
    vec3 gridSize = vec3(textureSize(u_volumePresssureGradient, 0));
    float cells = length((endBox - startBox) * gridSize) * reach;
    int steps = clamp(int(ceil(cells / STEP_CELLS)), 1, MAX_STEPS);
    float dt = reach / float(steps);               // step as a fraction of the segment
    float stepLength = length(endWorld - startWorld) * dt;  // metres
    // Offsetting the first sample by a per-pixel amount turns step banding into fine noise.
    float jitter = fract(52.9829189 * fract(dot(gl_FragCoord.xy, vec2(0.06711056, 0.00583715))));

    uint underPotMask = lightsUnderPot();
    vec3 colour = vec3(0.0);
    float transmittance = 1.0;
    for (int i = 0; i < steps; ++i) {
        float t = (float(i) + jitter) * dt;
        // Level 0 (the grid has no other), trilinear: the march is non-uniform control flow.
        vec3 pointBox = mix(startBox, endBox, t);
        float density = textureLod(u_volumePresssureGradient, pointBox, 0.0).a;
        vec2 fromSide = min(pointBox.xz, 1.0 - pointBox.xz);
        density *= smoothstep(0.0, SIDE_FADE, min(fromSide.x, fromSide.y)) *
                   smoothstep(0.0, TOP_FADE, 1.0 - pointBox.y);
        if (density <= 1e-4) continue;
        // Beer-Lambert over the step; what the step absorbs, it partly scatters towards the eye.
        float stepTransmittance = exp(-EXTINCTION * density * stepLength);
        vec3 p = mix(startWorld, endWorld, t);
        vec3 towardsEye = normalize(u_camPos - p);
        colour += transmittance * (1.0 - stepTransmittance) * ALBEDO *
                  inScattered(p, pointBox, towardsEye, underPotMask);
        transmittance *= stepTransmittance;
        if (transmittance < 0.01) break;
    }

    float alpha = 1.0 - transmittance;
    if (alpha < 1e-4) discard;
    // Blending multiplies by alpha again: hand over colour / alpha.
    fragColor = vec4(colour / alpha, alpha);
}
