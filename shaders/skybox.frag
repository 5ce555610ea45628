#version 430 core
// Sky from the cube map, decoded to linear light for the HDR target.
in vec3 direction;
out vec4 fragColor;

uniform samplerCube u_tex;

vec3 srgbToLinear(vec3 c) {
    vec3 low = c / 12.92;
    vec3 high = pow((c + 0.055) / 1.055, vec3(2.4));
    return mix(high, low, vec3(lessThanEqual(c, vec3(0.04045))));
}

void main() {
    fragColor = vec4(srgbToLinear(texture(u_tex, direction).rgb), 1.0);
}
