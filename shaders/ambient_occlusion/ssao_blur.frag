#version 430 core
// Box blur over one 4 x 4 noise tile: averages out the rotation pattern of the occlusion exactly.
in vec2 texCoords;
layout(location = 0) out float openness;

uniform sampler2D ssaoInput;

void main() {
    vec2 texel = 1.0 / vec2(textureSize(ssaoInput, 0));
    float sum = 0.0;
    for (int x = -2; x < 2; ++x) {
        for (int y = -2; y < 2; ++y) sum += texture(ssaoInput, texCoords + vec2(x, y) * texel).r;
    }
    openness = sum / 16.0;
}
