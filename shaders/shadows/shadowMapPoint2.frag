#version 430 core
// Stores the distance from the light instead of the projected depth, divided by the far distance
// (25) so that 0..1 covers 0..25: the lighting pass compares distances along any direction of the
// cube map without knowing which face it reads.
in vec3 worldPos;

uniform vec3 u_lightPos;
uniform float u_oneDivFar;

void main() {
    gl_FragDepth = clamp(length(worldPos - u_lightPos) * u_oneDivFar, 0.0, 1.0);
}
