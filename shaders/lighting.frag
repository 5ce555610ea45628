#version 430 core
// Deferred lighting: reads the G-buffer and lights every covered pixel with the point lights,
// their cube-map shadows, the ambient occlusion and fog, in linear HDR.
in vec2 texCoords;
out vec4 fragColor;

#include "common/colour.glsl"
#include "common/pointLights.glsl"
#include "scene.glsl"

uniform sampler2D u_texColorSpec;
uniform sampler2D u_texFragPos;
uniform sampler2D u_texNormal;
uniform sampler2D u_texViewSpace;
uniform sampler2D u_texAmbientOcclusion;

uniform vec3 u_camPos;

uniform bool u_doAmbientOcclusion;

// The storm: 0 before the rain, 1 once it has set in (clouds over the moon, the ground soaked).
uniform float u_storm;
// The lightning's brightness now: 0 between its strokes, 1 at the brightest.
uniform float u_flash;

uniform bool u_doFog;
// 0: linear fog, 1: exponential, 2: exponential squared.
uniform int u_fogSelector;
// True: fog grows with the view depth; false: with the straight-line distance to the camera.
uniform bool u_depthFog;
// The night mist's colour, close to the sky's horizon; its density per metre (exponential fogs).
uniform vec3 u_fogColor;
uniform float u_fogDensity;

// Where the linear fog starts and is whole.
const float kFogStart = 8.0;
const float kFogEnd = 140.0;
// Mist hangs low: above the ground (kGround) its density halves every few metres.
const float kMistFalloff = 0.12;
const float kShininess = 32.0;
// Share of the point lights' light that the ambient occlusion also takes (the ambient term takes
// all of it). At most one light casts shadows: for the others the occlusion is the only contact
// shadow, the only sign that a crease or the floor under a piece of furniture is hidden from much
// of the room. A share, not all of it: a point light can still shine straight into a crease.
const float kDirectOcclusion = 0.5;

// Inside the house (the inner faces of its walls, floor to ceiling) the night is kept: little of
// the ambient light gets in, and each light's reach ends within the room, so that the lights make
// pools with dark corners between them. Points a few centimetres beyond the inner faces still
// count as inside; the outer faces, a wall's thickness further, do not. The box is the one the
// house is built around (kInteriorMin, kInteriorMax of scene.glsl).
const float kInteriorMargin = 0.05;
const float kInteriorBlend = 0.15;    // beyond the margin, inside fades to outside over this
const float kIndoorAmbient = 0.08;    // share of the ambient light that reaches indoors
const float kIndoorLightRange = 4.0;  // indoors a light fades to nothing at this distance
const float kIndoorPoolGain = 3.0;    // and shines this much brighter near it: a pool of light
// The shadow caster reaches further, so that its shadows fall across the room and not only
// around it.
const float kIndoorCasterRange = 6.5;
// The other lights indoors are lanterns, whose iron roofs keep all but this share of their light
// off the ceiling above them.
const float kLanternRoofLeak = 0.06;

// Outdoors the ambient light is the cold light of the night sky, and a lamp's light ends within
// kOutdoorLightRange: the fire lights the yard around the cauldron and leaves the rest of the
// night blue.
const vec3 kMoonlight = vec3(0.7, 0.83, 1.1);
const float kOutdoorLightRange = 7.0;
// The moon itself lights what faces it, without shadows, from kMoonDirection (scene.glsl).
const float kMoonStrength = 0.8;  // relative to the ambient light of the sky
// The storm's clouds hide the moon; rain darkens every surface it soaks and makes it glossy.
const float kStormMoonlight = 0.45;  // share of the moonlight left under the storm
const float kWetDarkening = 0.4;     // share of the albedo that the water takes
const float kWetGloss = 0.55;        // specular mask of soaked ground, brick and wood
const float kWetShininess = 96.0;    // and a tighter highlight
// Lightning: a flat cold light from high over the road, where the storm comes in, that throws the
// facade into white for an instant; a little of it reaches the hall through the windows.
const vec3 kFlashDirection = vec3(-0.35, 0.65, 0.67);  // unit, towards the flash
const vec3 kFlashColour = vec3(4.2, 4.5, 5.6);
const float kIndoorFlash = 0.1;

// Emissive surfaces (candle flames, embers) mark themselves with a specular value at or above
// kEmissiveMark, a range no specular map uses otherwise (the shiniest, wet glass, stays near
// 0.9); they shine with their own colour, scaled by kEmissiveStrength, and reflect nothing.
const float kEmissiveMark = 0.97;
const float kEmissiveStrength = 6.0;

#include "shadows/pointShadow.glsl"

// 1 inside the house, 0 outside, blending across a thin shell just beyond its inner faces.
float interiorAmount(vec3 p) {
    vec3 beyond = max(max(kInteriorMin - p, p - kInteriorMax) - kInteriorMargin, 0.0);
    return 1.0 - smoothstep(0.0, kInteriorBlend, max(beyond.x, max(beyond.y, beyond.z)));
}

// Indoors a light's reach ends at `range`: (1 - (d / range)^3)^2 keeps most of the light in a
// pool around it and takes the attenuation smoothly to zero at the range.
float indoorReach(float d, float range) {
    float x = clamp(1.0 - pow(d / range, 3.0), 0.0, 1.0);
    return x * x;
}

// A lantern's roof: full light up to about 10 degrees above its horizon, kLanternRoofLeak from
// 20 degrees up. toLight is the unit direction from the surface to the lantern.
float lanternRoof(vec3 toLight) {
    return mix(kLanternRoofLeak, 1.0, smoothstep(-0.35, -0.17, toLight.y));
}

float fogAmount(vec3 p, float viewDepth) {
    float d = u_depthFog ? viewDepth : distance(p, u_camPos);
    float amount;
    if (u_fogSelector == 0) {
        amount = (d - kFogStart) / (kFogEnd - kFogStart);
    } else if (u_fogSelector == 2) {
        float x = u_fogDensity * d;
        amount = 1.0 - exp(-x * x);
    } else {
        amount = 1.0 - exp(-u_fogDensity * d);
    }
    float height = max(p.y - kGround, 0.0);
    return clamp(amount, 0.0, 1.0) * mix(0.45, 1.0, exp(-height * kMistFalloff));
}

// Ambient and point lights on the surface at p with unit normal n, albedo and specular mask.
vec3 shade(vec3 p, vec3 n, vec3 albedo, float specularMask) {
    float inside = interiorAmount(p);
    vec3 v = normalize(u_camPos - p);
    // The occlusion is half resolution: filtered, from its only level.
    float occlusion =
        u_doAmbientOcclusion ? textureLod(u_texAmbientOcclusion, texCoords, 0.0).r : 1.0;
    // Outdoors in the storm: soaked, darker and glossier.
    float wet = u_storm * (1.0 - inside);
    albedo *= 1.0 - kWetDarkening * wet;
    specularMask = mix(specularMask, max(specularMask, kWetGloss), wet);
    float shininess = mix(kShininess, kWetShininess, wet);

    vec3 sky = kMoonlight * mix(1.0, kStormMoonlight, u_storm);
    vec3 ambient = mix(sky, vec3(kIndoorAmbient), inside);
    float moon = kMoonStrength * max(dot(n, normalize(kMoonDirection)), 0.0) * (1.0 - inside);
    vec3 color = u_lightAmb * (ambient + sky * moon) * albedo * occlusion;
    float directOcclusion = mix(1.0, occlusion, kDirectOcclusion);

    // The lightning, with a highlight where it catches the wet.
    float flashDiffuse = max(dot(n, kFlashDirection), 0.0);
    vec3 flashHalf = normalize(kFlashDirection + v);
    float flashSpecular = pow(max(dot(n, flashHalf), 0.0), shininess) * specularMask;
    color += (albedo * flashDiffuse + flashSpecular) * kFlashColour * u_flash *
             mix(1.0, kIndoorFlash, inside) * occlusion;

    for (int i = 0; i < u_pointLightsCount; ++i) {
        PointLight light = u_pointLights[i];
        vec3 toLight = light.pos - p;
        float d = length(toLight);
        // Beyond the longest reach a light adds nothing: most pixels skip most lights.
        if (d >= max(kOutdoorLightRange, kIndoorCasterRange)) continue;
        vec3 l = toLight / max(d, 1e-4);
        float attenuation = pointLightAttenuation(light, d);
        bool caster = u_shadowsLightActive[i] != 0;
        // Indoors only the house's own lights shine: walls keep out those of the yard.
        float indoor = caster ? indoorReach(d, kIndoorCasterRange)
                              : kIndoorPoolGain * indoorReach(d, kIndoorLightRange) *
                                    lanternRoof(l) * interiorAmount(light.pos);
        attenuation *= mix(indoorReach(d, kOutdoorLightRange), indoor, inside);
        float diffuse = max(dot(n, l), 0.0);
        // Blinn-Phong highlight, masked by the surface's specular map.
        vec3 h = normalize(l + v);
        float specular = diffuse > 0.0 ? pow(max(dot(n, h), 0.0), shininess) : 0.0;
        specular *= specularMask * light.spec;
        float shadow = pointShadow(i, p, n, light.pos);
        color += (albedo * diffuse + specular) * light.col * attenuation * shadow * directOcclusion;
    }
    return color;
}

void main() {
    // The G-buffer matches this target texel for texel: read it by pixel, with no filtering and
    // no implicit derivatives (undefined after the early return below).
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec4 fragPos = texelFetch(u_texFragPos, pixel, 0);
    if (fragPos.a == 0.0) {
        fragColor = vec4(0.0);  // no geometry: the sky pass fills these pixels
        return;
    }
    vec4 colorSpec = texelFetch(u_texColorSpec, pixel, 0);
    vec3 albedo = srgbToLinear(colorSpec.rgb);
    vec3 p = fragPos.xyz;
    float viewDepth = -texelFetch(u_texViewSpace, pixel, 0).z;
    vec3 color = colorSpec.a >= kEmissiveMark
                     ? albedo * kEmissiveStrength
                     : shade(p, normalize(texelFetch(u_texNormal, pixel, 0).xyz), albedo,
                             colorSpec.a);
    if (u_doFog) color = mix(color, u_fogColor, fogAmount(p, viewDepth));
    fragColor = vec4(color, 1.0);
}
