#version 430 core
// Vertical half of the compute bloom blur: one work group blurs a 256-pixel column segment. The
// segment and the 6 pixels above and below that its taps reach are loaded once into shared memory.
layout(local_size_x = 1, local_size_y = 256, local_size_z = 1) in;

layout(rgba16f) uniform readonly image2D inputImg;
layout(rgba16f) uniform writeonly image2D outputImg;
uniform uvec2 globalSize;  // image size in pixels

const int RADIUS = 6;
// Normalised Gaussian, sigma 2.5 texels: the weights of the fragment blur.
const float weights[RADIUS + 1] = float[](0.1610034, 0.1486248, 0.1169124, 0.0783688, 0.0447649,
                                          0.0217894, 0.0090379);

shared vec3 column[256 + 2 * RADIUS];

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
    column[local + RADIUS] = load(x, y);
    if (local < RADIUS) column[local] = load(x, y - RADIUS);
    if (local >= 256 - RADIUS) column[local + 2 * RADIUS] = load(x, y + RADIUS);
    barrier();

    if (y >= int(globalSize.y)) return;
    vec3 sum = column[local + RADIUS] * weights[0];
    for (int i = 1; i <= RADIUS; ++i) {
        sum += (column[local + RADIUS - i] + column[local + RADIUS + i]) * weights[i];
    }
    imageStore(outputImg, ivec2(x, y), vec4(sum, 1.0));
}
