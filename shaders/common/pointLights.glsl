// The point lights as the engine uploads them (LightList::setUniforms), and their fall-off.
#include "scene.glsl"

struct PointLight {
    vec3 pos;    // world position
    vec3 col;    // colour times strength, linear HDR
    float spec;  // strength of its highlights
    float cons;  // attenuation 1 / (cons + lin d + quad d^2) at distance d
    float lin;
    float quad;
};

uniform PointLight u_pointLights[kMaxPointLights];
uniform int u_pointLightsCount;
uniform float u_lightAmb;  // the ambient term

// The share of a light's colour that reaches distance d from it.
float pointLightAttenuation(PointLight light, float d) {
    return 1.0 / (light.cons + light.lin * d + light.quad * d * d);
}
