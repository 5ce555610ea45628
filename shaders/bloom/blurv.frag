#version 430 core
// Vertical half of the separable bloom blur; the input is the horizontal pass's half-size target.
in vec2 texCoords;
out vec4 fragColor;

uniform sampler2D u_tex;
uniform float u_tapSpacing;  // texels between taps: 1, or wider on an image blurred already
uniform float u_oneDivViewportWidth;  // one texel along x; the y step follows from the aspect

const float weights[7] = float[](0.1610034, 0.1486248, 0.1169124, 0.0783688, 0.0447649,
                                 0.0217894, 0.0090379);

void main() {
    // The step is given in texels of the width; scaling it by width / height makes it one texel
    // along y, so the glow is as tall as it is wide.
    vec2 size = vec2(textureSize(u_tex, 0));
    float step = u_oneDivViewportWidth * size.x / size.y;
    vec3 sum = texture(u_tex, texCoords).rgb * weights[0];
    for (int i = 1; i < 7; ++i) {
        vec2 offset = vec2(0.0, float(i) * u_tapSpacing * step);
        sum += texture(u_tex, texCoords + offset).rgb * weights[i];
        sum += texture(u_tex, texCoords - offset).rgb * weights[i];
    }
    fragColor = vec4(sum, 1.0);
}
