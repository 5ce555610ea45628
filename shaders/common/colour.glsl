// Colour encodings.

// An sRGB-encoded colour (a texture's or the G-buffer's albedo) in linear light.
vec3 srgbToLinear(vec3 c) {
    vec3 low = c / 12.92;
    vec3 high = pow((c + 0.055) / 1.055, vec3(2.4));
    return mix(high, low, vec3(lessThanEqual(c, vec3(0.04045))));
}
