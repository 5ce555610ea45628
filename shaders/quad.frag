#version 430 core
// Copies a texture, filtered: drawn into a smaller target it downsamples.
in vec2 texCoords;
out vec4 fragColor;

uniform sampler2D u_tex;

void main() {
    fragColor = texture(u_tex, texCoords);
}
