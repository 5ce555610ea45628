#version 430 core
// World-position view: x, y and z mapped to red, green and blue, mid-grey at the origin, each
// channel spanning HALF_EXTENT metres either side of it; dark lines mark every whole metre of
// each axis, so that the grid shows how the surfaces stand in the world. Black where no geometry
// was drawn.
in vec2 texCoords;
out vec4 fragColor;

uniform sampler2D u_fragPos;  // unit 0: world position, alpha 1 where geometry is

const float HALF_EXTENT = 10.0;  // metres from the origin to a channel's 0 or 1

void main() {
    vec4 position = texture(u_fragPos, texCoords);
    // Derivatives are taken by the whole 2x2 quad together: before any pixel of it may leave.
    vec3 positionWidth = fwidth(position.xyz);
    if (position.a == 0.0) {
        fragColor = vec4(0.0, 0.0, 0.0, 1.0);
        return;
    }
    vec3 colour = clamp(0.5 + 0.5 * position.xyz / HALF_EXTENT, 0.0, 1.0);
    // Distance to the nearest whole metre of each axis, in pixels of this image: under one
    // pixel the point lies on a grid line.
    vec3 toLine = abs(fract(position.xyz + 0.5) - 0.5) / max(positionWidth, vec3(1e-4));
    float onLine = 1.0 - clamp(min(toLine.x, min(toLine.y, toLine.z)), 0.0, 1.0);
    fragColor = vec4(colour * (1.0 - 0.6 * onLine), 1.0);
}
