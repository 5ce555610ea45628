#version 430 core
// Full-screen quad: clip-space position and texture coordinate passed through unchanged.
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec2 aTexCoords;

out vec2 texCoords;

void main() {
    texCoords = aTexCoords;
    gl_Position = vec4(aPos, 1.0);
}
