#version 430 core
// Smoke entry or exit view: where the view ray enters (or leaves) the smoke's box, as its box
// coordinates mapped to colour (x red, y green, z blue, each 0..1 across the box); black where
// the box does not cover the pixel. The ray march runs between these two points.
in vec2 texCoords;
out vec4 fragColor;

uniform sampler2D u_facePoints;  // unit 0: rgb box coordinates, a = -distance (< 0 on the box)

void main() {
    vec4 point = texture(u_facePoints, texCoords);
    fragColor = vec4(point.a < 0.0 ? clamp(point.rgb, 0.0, 1.0) : vec3(0.0), 1.0);
}
