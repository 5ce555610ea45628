#version 430 core
// Rain drops: each invocation owns one drop. A drop that is not falling spawns when its slot is
// one of this frame's emissions, or stays parked; a falling drop moves down at its own speed and
// finishes at the bottom height or on entering the house.
layout(local_size_x = 256) in;

// xyz position; w fall speed in m/s, 0 for a drop that is not falling (never spawned, finished).
layout(std430, binding = 0) buffer Drops { vec4 drops[]; };
// Holds 2147483647 + the number of drops to emit this frame; only read here.
layout(binding = 1, offset = 0) uniform atomic_uint emitBudget;
uniform uint emissionStart;  // the first of this frame's emission slots round the ring

uniform float deltaT;  // frame time, seconds
uniform vec2 start;    // one corner (x, z) of the spawn rectangle
uniform vec2 end;      // the opposite corner
uniform float top;     // spawn height
uniform float bottom;  // height at which a drop finishes

const uint BUDGET_BASE = 2147483647u;
// Drops that are not falling sit at this height, far below any scene, where the draw skips them
// (rain.geom uses the same value). Their x and z stay, as seed for their next spawn.
const float PARKED_Y = -1.0e6;
// Terminal velocity of rain drops, m/s: each drop falls at a steady speed in this range.
const float MIN_FALL_SPEED = 8.0;
const float MAX_FALL_SPEED = 10.0;
// The house, where no drop may fall: its footprint in x and z, up to the top of its roof.
const vec2 HOUSE_MIN_XZ = vec2(-9.8, -7.9);
const vec2 HOUSE_MAX_XZ = vec2(5.5, 0.4);
const float HOUSE_ROOF_Y = 8.0;

// Integer hash (lowbias32): a well mixed 32-bit value from any input.
uint hash(uint x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

float random01(inout uint state) {
    state = hash(state);
    return float(state >> 8) * (1.0 / 16777216.0);
}

// Whether drop i is one of this frame's emission slots: the drops form a ring, and the frame emits
// the slots from emissionStart on, as many as the budget holds. Which drops spawn so depends on
// the frame alone, never on the order in which the invocations run.
bool emitsThisFrame(uint i, uint count) {
    uint emitted = min(atomicCounter(emitBudget) - BUDGET_BASE, count);
    return (i + count - emissionStart) % count < emitted;
}

bool insideHouse(vec3 p) {
    return p.y < HOUSE_ROOF_Y && all(greaterThanEqual(p.xz, HOUSE_MIN_XZ)) &&
           all(lessThanEqual(p.xz, HOUSE_MAX_XZ));
}

void main() {
    uint i = gl_GlobalInvocationID.x;
    if (i >= uint(drops.length())) return;
    vec4 drop = drops[i];

    if (drop.w <= 0.0) {
        if (emitsThisFrame(i, uint(drops.length()))) {
            // The drop's last x and z and its index seed a new uniform spot in the rectangle.
            uint state = hash(floatBitsToUint(drop.x) ^ hash(floatBitsToUint(drop.z) ^ hash(i)));
            vec2 spot = mix(start, end, vec2(random01(state), random01(state)));
            float speed = mix(MIN_FALL_SPEED, MAX_FALL_SPEED, random01(state));
            // Spawned at a random moment within this frame: the frame's drops do not form a sheet.
            float height = top - random01(state) * speed * deltaT;
            drops[i] = vec4(spot.x, height, spot.y, speed);
        } else {
            drops[i] = vec4(drop.x, PARKED_Y, drop.z, 0.0);
        }
        return;
    }

    // Steady fall: y decreases by speed * dt; any dt keeps the drop finite and lets it finish.
    vec3 position = drop.xyz - vec3(0.0, drop.w * deltaT, 0.0);
    if (position.y < bottom || insideHouse(position)) {
        drops[i] = vec4(position.x, PARKED_Y, position.z, 0.0);  // finished: parked
    } else {
        drops[i] = vec4(position, drop.w);
    }
}
