#version 430 core
// Screen-space ambient occlusion. For each pixel, 64 kernel points in a hemisphere around the
// surface (view space, radius u_radius) are projected back onto the screen; a point counts as
// occluded when the surface stored there lies in front of it. Output: the fraction of the
// hemisphere that is open (with contrast), 1 on open surfaces, lower in creases and contact areas.
in vec2 texCoords;
layout(location = 0) out float openness;

uniform sampler2D gPosition;  // view-space position; z >= 0 where no geometry was drawn
uniform sampler2D gNormal;    // surface normal of the G-buffer
uniform sampler2D texNoise;   // 4 x 4 random rotation vectors in the tangent plane
uniform vec3 samples[64];     // hemisphere kernel, tangent space, z up
uniform vec2 noiseScale;      // screen size / 4: tiles the noise once every 4 pixels
uniform mat4 projection;
uniform float u_radius;  // metres: creases and contacts, not whole rooms
uniform float u_bias;    // metres a stored surface must lie in front of a point to occlude it, near

const int KERNEL_SIZE = 64;
const float CONTRAST = 2.0;  // openness is raised to this power so that contact shadows read

bool isBackground(vec3 p) {
    return p.z >= 0.0;  // the camera looks down -z: drawn surfaces always have z < 0
}

// Cost of differencing towards a neighbour: large across a depth step or onto a surface with
// another orientation. Only the dot product of the stored normals is used, so this holds whatever
// space the G-buffer normals are in.
float neighbourCost(vec3 p, vec3 n, ivec2 at) {
    ivec2 clamped = clamp(at, ivec2(0), textureSize(gPosition, 0) - 1);
    vec3 q = texelFetch(gPosition, clamped, 0).xyz;
    if (at != clamped || isBackground(q)) return 1e30;
    return abs(q.z - p.z) + (1.0 - dot(n, texelFetch(gNormal, clamped, 0).xyz));
}

vec3 neighbour(ivec2 at) {
    return texelFetch(gPosition, at, 0).xyz;
}

// The view-space normal of the surface under this pixel, from the positions of the neighbours on
// the same surface (one-sided differences towards the cheaper side): a geometric normal, free of
// normal-map detail that would tilt the hemisphere into flat walls.
vec3 viewNormal(ivec2 pixel, vec3 p) {
    vec3 n = texelFetch(gNormal, pixel, 0).xyz;
    ivec2 dx = ivec2(1, 0), dy = ivec2(0, 1);
    float costR = neighbourCost(p, n, pixel + dx), costL = neighbourCost(p, n, pixel - dx);
    float costU = neighbourCost(p, n, pixel + dy), costD = neighbourCost(p, n, pixel - dy);
    if (min(costR, costL) >= 1e30 || min(costU, costD) >= 1e30) return normalize(-p);
    vec3 ddx = costR < costL ? neighbour(pixel + dx) - p : p - neighbour(pixel - dx);
    vec3 ddy = costU < costD ? neighbour(pixel + dy) - p : p - neighbour(pixel - dy);
    vec3 normal = cross(ddx, ddy);
    if (length(normal) < 1e-12) return normalize(-p);
    normal = normalize(normal);
    return dot(normal, p) > 0.0 ? -normal : normal;  // towards the camera
}

void main() {
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec3 p = texelFetch(gPosition, pixel, 0).xyz;
    if (isBackground(p)) {
        openness = 1.0;
        return;
    }
    vec3 normal = viewNormal(pixel, p);

    // Gram-Schmidt: turn the tangent-space kernel about the normal by this pixel's noise vector.
    // Explicit level 0 here and below: after the background's early return the control flow is
    // non-uniform and implicit derivatives are undefined. Both textures have one level.
    vec3 random = textureLod(texNoise, texCoords * noiseScale, 0.0).xyz;
    vec3 tangent = random - normal * dot(random, normal);
    if (length(tangent) < 1e-4) tangent = cross(normal, vec3(0.0, 0.0, 1.0));
    if (length(tangent) < 1e-4) tangent = vec3(1.0, 0.0, 0.0);
    tangent = normalize(tangent);
    mat3 tbn = mat3(tangent, cross(normal, tangent), normal);

    // Half floats store depth to 1/1024 of its magnitude: the bias grows with the distance.
    float bias = u_bias + 0.002 * -p.z;
    float occlusion = 0.0;
    for (int i = 0; i < KERNEL_SIZE; ++i) {
        vec3 samplePos = p + tbn * samples[i] * u_radius;
        vec4 clip = projection * vec4(samplePos, 1.0);
        if (clip.w <= 1e-6) continue;  // behind the eye: the divide would mirror it or give NaN
        vec2 uv = clip.xy / clip.w * 0.5 + 0.5;
        if (any(lessThan(uv, vec2(0.0))) || any(greaterThan(uv, vec2(1.0)))) continue;
        vec3 stored = textureLod(gPosition, uv, 0.0).xyz;
        if (isBackground(stored)) continue;
        // Range check: the weight falls off once the occluding surface is further in depth from
        // this pixel than the radius, so a separate object far in front (a silhouette) casts no
        // halo, while a floor seen at a grazing angle still darkens the foot of a wall.
        float range = smoothstep(0.0, 1.0, u_radius / max(abs(p.z - stored.z), 1e-6));
        occlusion += (stored.z >= samplePos.z + bias ? 1.0 : 0.0) * range;
    }
    openness = pow(1.0 - occlusion / float(KERNEL_SIZE), CONTRAST);
}
