#version 430 core
// The smoke box: a unit cube whose corners are its own box coordinates.
layout(location = 0) in vec3 aPos;

uniform mat4 u_modelMatrix;
uniform mat4 u_modelViewProjMatrix;

out vec3 boxPosition;    // 0..1 inside the box, the volume texture's coordinates
out vec3 worldPosition;

void main() {
    boxPosition = aPos;
    worldPosition = (u_modelMatrix * vec4(aPos, 1.0)).xyz;
    gl_Position = u_modelViewProjMatrix * vec4(aPos, 1.0);
}
