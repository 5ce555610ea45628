#version 430 core
// A drop's world position, handed to the geometry shader that draws its streak.
layout(location = 0) in vec3 aPosition;

void main() {
    gl_Position = vec4(aPosition, 1.0);
}
