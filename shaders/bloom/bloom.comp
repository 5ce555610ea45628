#version 430 core
// Bright pass used while tone mapping is off: keeps the part of each pixel that is brighter than
// display white, so only over-bright light glows.
layout(local_size_x = 16, local_size_y = 16, local_size_z = 1) in;

layout(binding = 0, rgba16f) uniform readonly image2D inputImg;
layout(binding = 1, rgba16f) uniform writeonly image2D outputImg;
uniform uvec2 globalSize;  // image size in pixels

const vec3 LUMA = vec3(0.2126, 0.7152, 0.0722);  // Rec. 709 luminance weights
const float WHITE = 1.0;
const float HALF_MAX = 65504.0;  // largest finite GL_RGBA16F value

void main() {
    ivec2 p = ivec2(gl_GlobalInvocationID.xy);
    if (any(greaterThanEqual(uvec2(p), globalSize))) return;
    // Negative, NaN and infinite channels would make NaN of the ratio below, which the blur would
    // spread: they count as black and as the largest finite value.
    vec3 texel = imageLoad(inputImg, p).rgb;
    vec3 colour = clamp(mix(texel, vec3(0.0), isnan(texel)), 0.0, HALF_MAX);
    float lum = dot(colour, LUMA);
    // Scale the colour down to its excess over white: zero at or below white, hue kept above it.
    vec3 bright = lum > WHITE ? colour * ((lum - WHITE) / lum) : vec3(0.0);
    imageStore(outputImg, p, vec4(bright, 1.0));
}
