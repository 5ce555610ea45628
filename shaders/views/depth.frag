#version 430 core
// View-space depth view: the distance along the view direction as a grey, white at the eye and
// darker with distance, e-fold for every FALLOFF metres (a room's few metres span most of the
// greys, the horizon is black); black too where no geometry was drawn.
in vec2 texCoords;
out vec4 fragColor;

uniform sampler2D u_viewSpace;  // unit 0: view-space position (the eye looks down -z)
uniform sampler2D u_fragPos;    // unit 1: world position, alpha 1 where geometry is

const float FALLOFF = 6.0;  // metres

void main() {
    // Sampled before the branch: a texture's level of detail needs the whole 2x2 quad.
    float coverage = texture(u_fragPos, texCoords).a;
    float depth = max(-texture(u_viewSpace, texCoords).z, 0.0);
    if (coverage == 0.0) {
        fragColor = vec4(0.0, 0.0, 0.0, 1.0);
        return;
    }
    fragColor = vec4(vec3(exp(-depth / FALLOFF)), 1.0);
}
