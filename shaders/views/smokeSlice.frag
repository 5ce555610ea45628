#version 430 core
// Smoke density view: the vertical slice through the middle of the smoke's box (box z = 0.5),
// seen from +z, as a square in the middle of the picture with the box's floor at its bottom.
// Density d shows as the grey 1 - exp(-SCALE d): black for clean air, towards white where thick.
// Outside the square, a dark blue.
in vec2 texCoords;
out vec4 fragColor;

uniform sampler3D u_volume;  // unit 0: the simulation's velocity in rgb, density in alpha
uniform float u_aspect;      // the picture's width / height

const float SCALE = 4.0;  // the plume's densities lie mostly below 0.5

void main() {
    vec2 box = vec2((texCoords.x - 0.5) * u_aspect + 0.5, texCoords.y);
    // Sampled before the branch: a texture's level of detail needs the whole 2x2 quad.
    float density = max(texture(u_volume, vec3(clamp(box, 0.0, 1.0), 0.5)).a, 0.0);
    if (any(lessThan(box, vec2(0.0))) || any(greaterThan(box, vec2(1.0)))) {
        fragColor = vec4(0.0, 0.0, 0.1, 1.0);
        return;
    }
    fragColor = vec4(vec3(1.0 - exp(-SCALE * density)), 1.0);
}
