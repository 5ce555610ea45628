#version 430 core
// Entry or exit point of the view ray through this pixel, for the smoke's ray march.
// Output: rgb = the point in box coordinates (0..1), a = minus its distance from the eye in world
// units. The alpha is always negative where a face was drawn, whatever the clear colour left
// elsewhere (cleared texels have a non-negative alpha).
in vec3 boxPosition;
in vec3 worldPosition;

uniform vec3 u_camPos;

out vec4 facePoint;

void main() {
    facePoint = vec4(boxPosition, -length(worldPosition - u_camPos));
}
