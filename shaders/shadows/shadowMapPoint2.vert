#version 430 core
// Depth pass of a point light's cube map, one face per draw: u_transform is that face's
// projection x view.
layout(location = 0) in vec3 aPos;

uniform mat4 u_modelMatrix;
uniform mat4 u_transform;

out vec3 worldPos;

void main() {
    vec4 world = u_modelMatrix * vec4(aPos, 1.0);
    worldPos = world.xyz;
    gl_Position = u_transform * world;
}
