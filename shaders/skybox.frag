#version 430 core
// Sky from the cube map, decoded to linear light for the HDR target. The image holds display
// values, up to 1; what is brightest in it (the moon) is a light, far brighter than the sky
// around it, and gets that brightness back here so that it glows. The storm's clouds dim the sky
// and the lightning lights them up.
in vec3 direction;
out vec4 fragColor;

uniform samplerCube u_tex;
uniform float u_storm;  // 0 before the rain, 1 once the storm has set in
uniform float u_flash;  // the lightning's brightness now

const vec3 LUMA = vec3(0.2126, 0.7152, 0.0722);
const float LIGHT_FROM = 0.55;  // linear luminance from which a texel is a light...
const float LIGHT_GAIN = 1.25;  // ...made up to this many times brighter at full white
const float STORM_SKY = 0.35;   // share of the sky's light left under the storm's clouds
const vec3 FLASH_SKY = vec3(0.5, 0.55, 0.7);  // the clouds lit by the lightning

#include "common/colour.glsl"

void main() {
    vec3 sky = srgbToLinear(texture(u_tex, direction).rgb);
    float light = smoothstep(LIGHT_FROM, 1.0, dot(sky, LUMA));
    sky *= 1.0 + (LIGHT_GAIN - 1.0) * light;
    sky *= mix(1.0, STORM_SKY, u_storm);
    sky += FLASH_SKY * u_flash * max(normalize(direction).y, 0.2);
    fragColor = vec4(sky, 1.0);
}
