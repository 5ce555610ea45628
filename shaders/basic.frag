#version 430 core
out vec4 fragColor;

void main() {
    fragColor = vec4(0.1, 1.0, 0.2, 1.0);
}
