#version 430 core
// Wireframe outline of a mesh's bounding box: the unit cube placed by modelMat.
layout(location = 0) in vec3 aPos;

uniform mat4 modelMat;
uniform mat4 viewProjMat;

void main() {
    gl_Position = viewProjMat * modelMat * vec4(aPos, 1.0);
}
