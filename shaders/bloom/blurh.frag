#version 430 core
// Horizontal half of the separable bloom blur. The target is half the size of the first input, so
// the taps, one half-resolution texel apart, also downsample through linear filtering.
in vec2 texCoords;
out vec4 fragColor;

uniform sampler2D u_tex;
uniform float u_tapSpacing;  // texels between taps: 1, or wider on an image blurred already
uniform float u_oneDivViewportWidth;  // one target texel along x, in texture coordinates

// Normalised Gaussian, sigma 2.5 texels, taps 0..6 on each side. blur256x.comp uses the same.
const float weights[7] = float[](0.1610034, 0.1486248, 0.1169124, 0.0783688, 0.0447649,
                                 0.0217894, 0.0090379);

void main() {
    vec3 sum = texture(u_tex, texCoords).rgb * weights[0];
    for (int i = 1; i < 7; ++i) {
        vec2 offset = vec2(float(i) * u_tapSpacing * u_oneDivViewportWidth, 0.0);
        sum += texture(u_tex, texCoords + offset).rgb * weights[i];
        sum += texture(u_tex, texCoords - offset).rgb * weights[i];
    }
    fragColor = vec4(sum, 1.0);
}
