#version 430 core
// Tone mapping in place, by mode, and extraction of the bright parts for bloom. Each invocation
// reads only the pixel it writes, so input and output may be the same texture.
//   mode 0 "LINEAR":         Ld = key * L / Lavg, the average maps to the key
//   mode 1 "DRAGO":          Drago's adaptive logarithmic mapping towards the adapted white W
//   mode 2 "DRAGO MODIFIED": the same curve anchored at the frame's average instead of its white
// L is the pixel's luminance, Lavg the log-average luminance; the colour is scaled by Ld / L so its
// hue is kept. Only the uniforms of the current mode are read: the others may be stale.
layout(local_size_x = 16, local_size_y = 16, local_size_z = 1) in;

layout(binding = 0, rgba16f) uniform readonly image2D inputImg;
layout(binding = 1, rgba16f) uniform writeonly image2D outputImg;
layout(binding = 2, rgba16f) uniform writeonly image2D brightImg;
uniform uvec2 globalSize;  // image size in pixels
uniform float threshold;   // mapped luminance above which a pixel feeds the bloom
uniform float logBase;     // ln 2
uniform float exponent;    // Drago's bias exponent, ln(bias) / ln(0.5)
uniform int mode;
uniform float multiplier;  // modes 1 and 2: scale of the logarithmic curve
uniform float key;         // modes 0 and 2: display value of the average luminance
uniform float lumAvg;      // modes 0 and 2: exp(mean ln(1 + L)), at least 1

const vec3 LUMA = vec3(0.2126, 0.7152, 0.0722);  // Rec. 709 luminance weights
const float HALF_MAX = 65504.0;
const float MAX_GLOW = 12.0;  // a clipped highlight feeds the bloom at most this bright

// The eye adapts to darkness only so far: below this average a scene is shown as dark as it is
// instead of being lifted towards daylight, so the night stays night.
const float DIMMEST_ADAPTATION = 0.25;

// Log-average luminance from lumAvg, which averages ln(1 + L): subtracting the 1 again gives the
// scene's typical luminance, held at the dimmest adaptation level and at the key: a scene darker
// than its key would otherwise be brightened up to it. So the mapping never lifts a dark room; it
// only ever brings a bright one down.
float sceneAverage() {
    return max(lumAvg - 1.0, max(DIMMEST_ADAPTATION, key));
}

// Drago et al.: Ld = scale * ln(1 + Lw) / ln(2 + 8 * (Lw / Lref)^exponent). The denominator is
// the bias term: it compresses luminances near Lref more than dark ones.
float dragoCurve(float lw, float scale, float lref) {
    return scale * log(1.0 + lw) / log(2.0 + 8.0 * pow(lw / lref, exponent));
}

float mapLuminance(float lw) {
    if (mode == 0) return key * lw / sceneAverage();
    if (mode == 1) {
        // The multiplier is (1 / log10(W + 1)) / log2(2 + 8 * ratio^exponent); once adapted the
        // ratio is 1 and the multiplier is 1 / log2(W + 1), so W = 2^(1 / multiplier) - 1 is the
        // white that the CPU has settled on, and log2(10) * multiplier = 1 / log10(W + 1).
        float white = max(exp(logBase / multiplier) - 1.0, 1e-4);
        return dragoCurve(lw, multiplier * log(10.0) / logBase, white);
    }
    // Scale the pixel so that the scene's average sits at lumAvg: multiplier = key / log10(lumAvg
    // + 1) then maps the average to the key, exactly as "LINEAR" does.
    float scaled = lw * lumAvg / sceneAverage();
    return dragoCurve(scaled, multiplier, lumAvg);
}

void main() {
    ivec2 p = ivec2(gl_GlobalInvocationID.xy);
    if (any(greaterThanEqual(uvec2(p), globalSize))) return;
    vec4 texel = imageLoad(inputImg, p);
    // Negative, NaN and infinite channels would spread through the mapping: clean them first.
    vec3 colour = clamp(mix(texel.rgb, vec3(0.0), isnan(texel.rgb)), 0.0, HALF_MAX);

    float lw = dot(colour, LUMA);
    float ld = lw > 0.0 ? mapLuminance(lw) : 0.0;
    vec3 mapped = lw > 0.0 ? colour * (ld / lw) : vec3(0.0);
    mapped = mix(mapped, vec3(0.0), isnan(mapped));

    // Only the part above the threshold glows, fading in over the last stretch up to white.
    float weight = clamp((dot(mapped, LUMA) - threshold) / max(1.0 - threshold, 1e-3), 0.0, 1.0);
    imageStore(brightImg, p, vec4(min(mapped, vec3(MAX_GLOW)) * weight, 1.0));
    imageStore(outputImg, p, vec4(clamp(mapped, 0.0, 1.0), texel.a));
}
