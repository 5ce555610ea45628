#version 430 core
// Frame luminance statistics for tone mapping. Each 16 x 16 work group reduces its pixels in shared
// memory and then adds one atomic per statistic to the three words of the luminance buffer, in
// fixed point with four fraction bits (value x 16):
//   word 0: sum of ln(1 + L) over all pixels; the CPU exponentiates its mean (log-average of 1 + L)
//   word 1: maximum luminance of the frame
//   word 2: maximum luminance of the frame as well, the divisor of the ratio between the adapted
//           and the current maximum, which tells the "DRAGO" mapping how far adaptation lags
layout(local_size_x = 16, local_size_y = 16, local_size_z = 1) in;

layout(binding = 0, rgba16f) uniform readonly image2D inputImg;
layout(std430, binding = 1) buffer LuminanceWords {
    uint words[3];
};
uniform uvec2 globalSize;  // image size in pixels

const vec3 LUMA = vec3(0.2126, 0.7152, 0.0722);  // Rec. 709 luminance weights
const float HALF_MAX = 65504.0;                  // largest finite GL_RGBA16F value
const float FIXED_ONE = 16.0;                    // four fraction bits

shared float logSum[256];
shared float peak[256];

// Adds to the sum word, stopping at its largest value instead of wrapping round to a small one:
// a window of tens of millions of very bright pixels would otherwise read as a dark frame.
// One atomicAdd per group, no retry loop: the groups do not queue on the word. An add that wraps
// (the value it returns plus its amount overflows) pins the word with atomicExchange. The final
// word is saturated whatever the interleaving: all operations on the word happen in one order; if
// any add wraps, its group exchanges afterwards, so an exchange exists. After the last exchange
// the word holds 0xFFFFFFFF, and any later add of a nonzero amount would wrap from there and be
// followed by another exchange, so no such add exists; adds of zero leave the word as it is.
// Adds that land between a wrap and its exchange are overwritten, which only matters to a sum
// that has already overflowed. Without a wrap no exchange runs and the sum is exact.
void addSaturating(uint amount) {
    uint before = atomicAdd(words[0], amount);
    if (before + amount < before) atomicExchange(words[0], 0xFFFFFFFFu);
}

void main() {
    uint index = gl_LocalInvocationIndex;
    ivec2 p = ivec2(gl_GlobalInvocationID.xy);
    float lum = 0.0;
    // Invocations outside the image (partial groups) contribute zero to both reductions.
    if (all(lessThan(uvec2(p), globalSize))) {
        lum = dot(imageLoad(inputImg, p).rgb, LUMA);
        // A NaN or negative pixel counts as black, an infinite one as the largest finite value.
        lum = isnan(lum) ? 0.0 : clamp(lum, 0.0, HALF_MAX);
    }
    logSum[index] = log(1.0 + lum);
    peak[index] = lum;
    barrier();

    for (uint stride = 128u; stride > 0u; stride >>= 1u) {
        if (index < stride) {
            logSum[index] += logSum[index + stride];
            peak[index] = max(peak[index], peak[index + stride]);
        }
        barrier();
    }

    if (index == 0u) {
        // Rounding once per group, not per pixel, keeps the fixed-point error of the sum small.
        addSaturating(uint(logSum[0] * FIXED_ONE + 0.5));
        uint peakFixed = uint(peak[0] * FIXED_ONE + 0.5);
        atomicMax(words[1], peakFixed);
        atomicMax(words[2], peakFixed);
    }
}
