#version 430 core
// World-normal view: each axis of the unit normal mapped from -1..1 to a colour channel 0..1, so
// a floor (normal +y) shows light green, a wall facing +x pink-red, one facing +z lavender.
// Black where no geometry was drawn.
in vec2 texCoords;
out vec4 fragColor;

uniform sampler2D u_normal;   // unit 0: world normal
uniform sampler2D u_fragPos;  // unit 1: world position, alpha 1 where geometry is

void main() {
    // Sampled before the branch: a texture's level of detail needs the whole 2x2 quad.
    float coverage = texture(u_fragPos, texCoords).a;
    vec3 normal = texture(u_normal, texCoords).xyz;
    if (coverage == 0.0) {
        fragColor = vec4(0.0, 0.0, 0.0, 1.0);
        return;
    }
    vec3 n = normalize(normal);
    fragColor = vec4(0.5 * n + 0.5, 1.0);
}
