#version 430 core
// Specular view: the specular strength that the G-buffer keeps in the alpha of its colour
// attachment, as a grey from black (none) to white (full).
in vec2 texCoords;
out vec4 fragColor;

uniform sampler2D u_colorSpec;  // unit 0: albedo in rgb, specular in alpha

void main() {
    fragColor = vec4(vec3(texture(u_colorSpec, texCoords).a), 1.0);
}
