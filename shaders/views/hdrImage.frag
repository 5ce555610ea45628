#version 430 core
// View of an HDR image (the lit scene, the bright image, the bloom): linear light, scaled by an
// exposure, brought into 0..1 by Reinhard's operator c / (1 + c), which keeps every value's order
// and never clips, then display-encoded with a gamma of 2.2.
in vec2 texCoords;
out vec4 fragColor;

uniform sampler2D u_image;  // unit 0: linear HDR colour
uniform float u_exposure;   // brightens images that hold only the faint rest of the light

void main() {
    vec3 c = u_exposure * max(texture(u_image, texCoords).rgb, vec3(0.0));
    // Nothing undefined reaches the screen, whatever the pass produced.
    if (any(isnan(c)) || any(isinf(c))) c = vec3(0.0);
    fragColor = vec4(pow(c / (1.0 + c), vec3(1.0 / 2.2)), 1.0);
}
