#version 430 core
// Vertical half of the compute bloom blur: one work group blurs a 256-pixel column segment. The
// segment and the pixels above and below that its taps reach are loaded once into shared memory.
layout(local_size_x = 1, local_size_y = 256, local_size_z = 1) in;

layout(rgba16f) uniform readonly image2D inputImg;
layout(rgba16f) uniform writeonly image2D outputImg;
uniform uvec2 globalSize;  // image size in pixels
// Pixels between taps: 1, or up to MAX_SPACING on an image that is blurred already, where the
// wider reach costs no more taps and misses nothing between them.
uniform int tapSpacing;

const int RADIUS = 6;
const int MAX_SPACING = 2;
const int APRON = RADIUS * MAX_SPACING;  // pixels beyond the segment that the taps reach
// Normalised Gaussian, sigma 2.5 texels: the weights of the fragment blur.
const float weights[RADIUS + 1] = float[](0.1610034, 0.1486248, 0.1169124, 0.0783688, 0.0447649,
                                          0.0217894, 0.0090379);

shared vec3 column[256 + 2 * APRON];

vec3 load(int x, int y) {
    // Clamping to the edge matches the fragment blur's GL_CLAMP_TO_EDGE sampling.
    return imageLoad(inputImg, ivec2(x, clamp(y, 0, int(globalSize.y) - 1))).rgb;
}

void main() {
    int local = int(gl_LocalInvocationID.y);
    int x = int(gl_GlobalInvocationID.x);
    int y = int(gl_GlobalInvocationID.y);
    // Invocations past the bottom of a partial group still load their clamped share of the apron;
    // only the final store is skipped.
    column[local + APRON] = load(x, y);
    if (local < APRON) column[local] = load(x, y - APRON);
    if (local >= 256 - APRON) column[local + 2 * APRON] = load(x, y + APRON);
    barrier();

    if (y >= int(globalSize.y)) return;
    int spacing = clamp(tapSpacing, 1, MAX_SPACING);
    vec3 sum = column[local + APRON] * weights[0];
    for (int i = 1; i <= RADIUS; ++i) {
        sum += (column[local + APRON - i * spacing] + column[local + APRON + i * spacing]) *
               weights[i];
    }
    imageStore(outputImg, ivec2(x, y), vec4(sum, 1.0));
}
