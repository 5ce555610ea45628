#version 430 core
// Ambient-occlusion view: the occlusion image's red channel as a grey, white where the surface
// is open to the sky, darker where nearby geometry hides it.
in vec2 texCoords;
out vec4 fragColor;

uniform sampler2D u_occlusion;  // unit 0: 1 open, 0 fully occluded, in red

void main() {
    fragColor = vec4(vec3(texture(u_occlusion, texCoords).r), 1.0);
}
