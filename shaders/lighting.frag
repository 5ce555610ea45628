#version 430 core
// Deferred lighting: reads the G-buffer and lights every covered pixel with the point lights,
// their cube-map shadows, the ambient occlusion and fog, in linear HDR.
in vec2 texCoords;
out vec4 fragColor;

struct PointLight {
    vec3 pos;
    vec3 col;
    float spec;
    float cons;
    float lin;
    float quad;
};

const int kMaxLights = 10;

uniform sampler2D u_texColorSpec;
uniform sampler2D u_texFragPos;
uniform sampler2D u_texNormal;
uniform sampler2D u_texViewSpace;
uniform sampler2D u_texAmbientOcclusion;
uniform samplerCube u_texShadowsCubemaps[kMaxLights];

uniform PointLight u_pointLights[kMaxLights];
uniform int u_pointLightsCount;
uniform float u_lightAmb;
uniform vec3 u_camPos;

uniform bool u_doShadowMappingPoint;
uniform int u_shadowsLightActive[kMaxLights];
uniform float u_shadowsFar[kMaxLights];
uniform bool u_doAmbientOcclusion;

uniform bool u_doFog;
// 0: linear fog, 1: exponential, 2: exponential squared.
uniform int u_fogSelector;
// True: fog grows with the view depth; false: with the straight-line distance to the camera.
uniform bool u_depthFog;

// Night mist, close to the sky's horizon colour.
const vec3 kFogColor = vec3(0.030, 0.036, 0.050);
const float kFogStart = 8.0;
const float kFogEnd = 140.0;
const float kFogDensity = 0.022;
// Mist hangs low: above the ground (y = -1.7) its density halves every few metres.
const float kGroundHeight = -1.7;
const float kMistFalloff = 0.12;
const float kShininess = 32.0;

vec3 srgbToLinear(vec3 c) {
    vec3 low = c / 12.92;
    vec3 high = pow((c + 0.055) / 1.055, vec3(2.4));
    return mix(high, low, vec3(lessThanEqual(c, vec3(0.04045))));
}

// Fraction of light i that reaches p. The cube map holds the distance to the nearest occluder
// divided by the far distance. A 3 x 3 x 3 grid of offsets softens the edge (percentage-closer
// filtering), and the bias grows with the distance so lit surfaces stay free of acne.
float pointShadow(int i, vec3 p, vec3 n) {
    vec3 fromLight = p - u_pointLights[i].pos;
    float current = length(fromLight);
    float far = u_shadowsFar[i];
    if (current >= far) return 1.0;
    vec3 toLight = -fromLight / max(current, 1e-4);
    float bias = 0.03 + 0.05 * (1.0 - max(dot(n, toLight), 0.0)) + current * 0.004;
    float radius = 0.015 + current * 0.004;
    float lit = 0.0;
    for (int x = -1; x <= 1; ++x) {
        for (int y = -1; y <= 1; ++y) {
            for (int z = -1; z <= 1; ++z) {
                vec3 offset = vec3(x, y, z) * radius;
                float closest = texture(u_texShadowsCubemaps[i], fromLight + offset).r * far;
                lit += current - bias > closest ? 0.0 : 1.0;
            }
        }
    }
    return lit / 27.0;
}

float fogAmount(vec3 p, float viewDepth) {
    float d = u_depthFog ? viewDepth : distance(p, u_camPos);
    float amount;
    if (u_fogSelector == 0) {
        amount = (d - kFogStart) / (kFogEnd - kFogStart);
    } else if (u_fogSelector == 2) {
        float x = kFogDensity * d;
        amount = 1.0 - exp(-x * x);
    } else {
        amount = 1.0 - exp(-kFogDensity * d);
    }
    float height = max(p.y - kGroundHeight, 0.0);
    return clamp(amount, 0.0, 1.0) * mix(0.45, 1.0, exp(-height * kMistFalloff));
}

void main() {
    vec4 fragPos = texture(u_texFragPos, texCoords);
    if (fragPos.a == 0.0) {
        fragColor = vec4(0.0);  // no geometry: the sky pass fills these pixels
        return;
    }
    vec4 colorSpec = texture(u_texColorSpec, texCoords);
    vec3 albedo = srgbToLinear(colorSpec.rgb);
    vec3 p = fragPos.xyz;
    vec3 n = normalize(texture(u_texNormal, texCoords).xyz);
    vec3 v = normalize(u_camPos - p);
    float viewDepth = -texture(u_texViewSpace, texCoords).z;

    float occlusion = u_doAmbientOcclusion ? texture(u_texAmbientOcclusion, texCoords).r : 1.0;
    vec3 color = u_lightAmb * albedo * occlusion;

    for (int i = 0; i < u_pointLightsCount; ++i) {
        PointLight light = u_pointLights[i];
        vec3 toLight = light.pos - p;
        float d = length(toLight);
        vec3 l = toLight / max(d, 1e-4);
        float attenuation = 1.0 / (light.cons + light.lin * d + light.quad * d * d);
        float diffuse = max(dot(n, l), 0.0);
        // Blinn-Phong highlight, masked by the surface's specular map.
        vec3 h = normalize(l + v);
        float specular = diffuse > 0.0 ? pow(max(dot(n, h), 0.0), kShininess) : 0.0;
        specular *= colorSpec.a * light.spec;
        float shadow = 1.0;
        if (u_doShadowMappingPoint && u_shadowsLightActive[i] == 1) shadow = pointShadow(i, p, n);
        color += (albedo * diffuse + specular) * light.col * attenuation * shadow;
    }

    if (u_doFog) color = mix(color, kFogColor, fogAmount(p, viewDepth));
    fragColor = vec4(color, 1.0);
}
