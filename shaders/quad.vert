#version 430 core
// Full-screen quad: clip-space position and texture coordinate, passed through.
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec2 aTexCoord;

out vec2 texCoord;

void main() {
    texCoord = aTexCoord;
    gl_Position = vec4(aPos, 1.0);
}
