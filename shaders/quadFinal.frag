#version 430 core
// Final composite into the window: the scene plus the blurred bloom, encoded for display.
in vec2 texCoords;
out vec4 fragColor;

uniform sampler2D u_texColor;
uniform sampler2D u_texBloom;
uniform bool u_doBloom;
// False for images that are display-encoded already (the loading screen).
uniform bool u_encodeOutput;

// How strongly the blurred bright image adds to the scene (kBloomStrength unless the settings say
// otherwise).
uniform float u_bloomStrength;

// The sRGB transfer function: linear light to display values.
vec3 linearToSrgb(vec3 c) {
    vec3 low = c * 12.92;
    vec3 high = 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055;
    return mix(high, low, vec3(lessThanEqual(c, vec3(0.0031308))));
}

void main() {
    vec3 color = texture(u_texColor, texCoords).rgb;
    if (u_doBloom) color += u_bloomStrength * texture(u_texBloom, texCoords).rgb;
    // Nothing undefined reaches the screen, whatever an earlier pass produced.
    if (any(isnan(color)) || any(isinf(color))) color = vec3(0.0);
    color = clamp(color, 0.0, 1.0);
    fragColor = vec4(u_encodeOutput ? linearToSrgb(color) : color, 1.0);
}
