// Point-light shadows, for the lighting pass (the shadow tests compile this file on its own).
#include "scene.glsl"

// Light i's cube map (unit 5 + i) holds, in every direction from the light, the distance to the
// nearest surface divided by u_shadowsFar[i].
uniform samplerCube u_texShadowsCubemaps[kMaxPointLights];
uniform float u_shadowsFar[kMaxPointLights];
uniform int u_shadowsLightActive[kMaxPointLights];
uniform bool u_doShadowMappingPoint;

// Percentage-closer filtering taps: the cube's edge midpoints and corners around the lookup.
const vec3 SHADOW_TAPS[20] = vec3[](
    vec3(1, 1, 1), vec3(1, -1, 1), vec3(-1, -1, 1), vec3(-1, 1, 1), vec3(1, 1, -1),
    vec3(1, -1, -1), vec3(-1, -1, -1), vec3(-1, 1, -1), vec3(1, 1, 0), vec3(1, -1, 0),
    vec3(-1, -1, 0), vec3(-1, 1, 0), vec3(1, 0, 1), vec3(-1, 0, 1), vec3(1, 0, -1),
    vec3(-1, 0, -1), vec3(0, 1, 1), vec3(0, -1, 1), vec3(0, -1, -1), vec3(0, 1, -1));

// How much of light i reaches fragPos: 1 lit, 0 in shadow, soft in between. normal is the
// surface's unit normal, lightPos the light's position (u_pointLights[i].pos).
float pointShadow(int i, vec3 fragPos, vec3 normal, vec3 lightPos) {
    if (!u_doShadowMappingPoint || u_shadowsLightActive[i] == 0) return 1.0;
    vec3 toFrag = fragPos - lightPos;
    float dist = length(toFrag);
    if (dist <= 0.0) return 1.0;
    // World size of one 1024-texel face texel at this distance, with margin for the face corners,
    // where texels are up to 1.7 times larger than at the face centre.
    float texel = dist * (3.0 / 1024.0);
    // Normal offset: look the shadow up from a point lifted off the surface, more so where the
    // light grazes it and one texel spans more depth. This keeps lit surfaces free of acne while
    // moving the shadow edge by only a few texels, so shadows stay attached to their casters.
    float facing = clamp(dot(normal, -toFrag / dist), 0.0, 1.0);
    vec3 lookup = fragPos + normal * texel * (1.5 + 2.0 * (1.0 - facing)) - lightPos;
    float current = length(lookup) - 0.5 * texel;
    // Taps about two texels apart soften the edge.
    float radius = 1.5 * texel;
    float lit = 0.0;
    for (int k = 0; k < 20; ++k) {
        // Level 0 explicitly (the maps have no others): the taps run in non-uniform control
        // flow, where implicit derivatives are undefined. The linear filter is kept.
        float closest =
            textureLod(u_texShadowsCubemaps[i], lookup + SHADOW_TAPS[k] * radius, 0.0).r;
        lit += current <= closest * u_shadowsFar[i] ? 1.0 : 0.0;
    }
    return lit / 20.0;
}
