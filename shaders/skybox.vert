#version 430 core
// The sky cube around the camera. The view's translation is removed on the CPU, and depth is
// forced to the far plane so the sky lies behind everything.
layout(location = 0) in vec3 aPos;

out vec3 direction;

uniform mat4 u_viewProjMatrix;

void main() {
    direction = aPos;
    vec4 position = u_viewProjMatrix * vec4(aPos, 1.0);
    gl_Position = position.xyww;
}
