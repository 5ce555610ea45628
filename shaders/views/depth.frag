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
    if (texture(u_fragPos, texCoords).a == 0.0) {
        fragColor = vec4(0.0, 0.0, 0.0, 1.0);
        return;
    }
    float depth = max(-texture(u_viewSpace, texCoords).z, 0.0);
    fragColor = vec4(vec3(exp(-depth / FALLOFF)), 1.0);
}
