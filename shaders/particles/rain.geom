#version 430 core
// Each falling drop stands for a small cloud of drops around it, every one drawn as a thin
// vertical streak turned towards the camera: 16384 simulated drops spread over 40 x 40 m would
// otherwise leave only a handful in view. Parked drops (not falling) emit nothing.
layout(points) in;
layout(triangle_strip, max_vertices = 24) out;

uniform mat4 projMatrix;
uniform mat4 viewMatrix;
uniform float speed;  // apparent fall speed that the streak blurs, m/s
uniform vec2 scale;   // streak width and length in milliseconds of fall at that speed

out vec2 streakCoord;  // x across the streak 0..1, y from the drop (0) to the tail (1)
out float streakFade;  // opacity left after widening a streak thinner than a pixel

const float MIN_ANGULAR_WIDTH = 0.003;  // radians: about 1.5 pixels of 384 rows at 45 degrees
const float PARKED_BELOW_Y = -1.0e5;    // rain.comp parks drops at -1e6
const int DROPS_PER_PARTICLE = 6;
const vec3 CLOUD_EXTENT = vec3(2.0, 3.0, 2.0);  // half size of the cloud around a drop, metres
// The house stays dry below its roof, as in rain.comp.
const vec2 HOUSE_MIN_XZ = vec2(-9.8, -7.9);
const vec2 HOUSE_MAX_XZ = vec2(5.5, 0.4);
const float HOUSE_ROOF_Y = 8.0;

// A fixed offset in [-1, 1]^3 for drop k of particle id (integer hash, no state).
vec3 cloudOffset(uint id, uint k) {
    uint h = id * 747796405u + k * 2891336453u + 12345u;
    vec3 r;
    for (int axis = 0; axis < 3; ++axis) {
        h ^= h >> 16;
        h *= 0x7feb352du;
        h ^= h >> 15;
        h *= 0x846ca68bu;
        h ^= h >> 16;
        r[axis] = float(h & 0xffffu) / 32767.5 - 1.0;
    }
    return r;
}

bool insideHouse(vec3 p) {
    return all(greaterThan(p.xz, HOUSE_MIN_XZ)) && all(lessThan(p.xz, HOUSE_MAX_XZ)) &&
           p.y < HOUSE_ROOF_Y;
}

void emitStreak(vec3 drop, vec2 size) {
    // Motion blur: the streak covers the distance fallen in scale.y ms at speed m/s, trailing
    // above the drop; its width is scale.x ms of that fall.
    vec3 head = (viewMatrix * vec4(drop, 1.0)).xyz;
    vec3 tail = (viewMatrix * vec4(drop + vec3(0.0, size.y, 0.0), 1.0)).xyz;
    // Sideways direction perpendicular to both the streak and the line of sight, so the streak
    // shows its full width to the camera; it points to the camera's right, which winds the strip
    // counter-clockwise on screen and keeps it through back-face culling. Seen end-on the streak
    // has no visible extent.
    vec3 side = cross(head, tail - head);
    float sideLength = length(side);
    if (sideLength < 1e-8) return;
    // A centimetre-wide streak is far thinner than a pixel a few metres away and would not
    // rasterise at all: it keeps at least the width that a pixel and a half subtends, and is made
    // fainter by as much as it was widened, so distant rain stays a fine veil.
    float width = max(size.x, MIN_ANGULAR_WIDTH * length(head));
    side *= 0.5 * width / sideLength;
    const vec2 ends[4] = vec2[](vec2(-1.0, 0.0), vec2(1.0, 0.0), vec2(-1.0, 1.0), vec2(1.0, 1.0));
    for (int k = 0; k < 4; ++k) {
        vec3 corner = mix(head, tail, ends[k].y) + side * ends[k].x;
        gl_Position = projMatrix * vec4(corner, 1.0);
        streakCoord = vec2(ends[k].x * 0.5 + 0.5, ends[k].y);
        streakFade = sqrt(size.x / width);
        EmitVertex();
    }
    EndPrimitive();
}

void main() {
    vec3 drop = gl_in[0].gl_Position.xyz;
    if (drop.y < PARKED_BELOW_Y) return;
    vec2 size = scale * speed * 0.001;
    emitStreak(drop, size);
    for (int k = 1; k < DROPS_PER_PARTICLE; ++k) {
        vec3 companion = drop + cloudOffset(uint(gl_PrimitiveIDIn), uint(k)) * CLOUD_EXTENT;
        if (!insideHouse(companion)) emitStreak(companion, size);
    }
}
