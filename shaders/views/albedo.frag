#version 430 core
// Albedo view: the G-buffer's colour attachment as it is. It holds display-encoded (sRGB) values
// already, and the clear colour where no geometry was drawn.
in vec2 texCoords;
out vec4 fragColor;

uniform sampler2D u_colorSpec;  // unit 0: albedo in rgb, specular in alpha

void main() {
    fragColor = vec4(texture(u_colorSpec, texCoords).rgb, 1.0);
}
