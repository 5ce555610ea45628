#version 430 core
// Fire particles: each invocation owns one particle. A dead particle spawns when its slot is one of
// this frame's emissions; a live one rises (buoyancy plus a gentle spring towards the target), is
// slowed by drag and jittered, flows around the cauldron's belly hung above the source instead of
// through it, ages, and dies when its life runs out or when it leaves the sphere. One particle in
// EMBER_SHARE is an ember: lighter and livelier, it flies up past the pot (fire.vert picks the
// same ones by the same index hash).
layout(local_size_x = 256) in;

layout(std430, binding = 0) buffer Positions { vec4 positions[]; };    // xyz position, w size
layout(std430, binding = 1) buffer Velocities { vec4 velocities[]; };  // xyz velocity, w rng state
layout(std430, binding = 2) buffer Lives { float lives[]; };           // seconds left; <= 0 dead
// Holds 2147483647 + the number of particles to emit this frame; only read here.
layout(binding = 3, offset = 0) uniform atomic_uint emitBudget;
uniform uint emissionStart;          // the first of this frame's emission slots round the ring

uniform float deltaT;                // frame time, seconds
uniform vec3 sourceBasePos;          // centre of the spawn area
uniform vec3 sourcePosSpread;        // half extents of the spawn ellipsoid
uniform vec3 sourceBaseVel;          // mean initial velocity
uniform float sourceBaseTimeToLive;  // mean life, seconds
uniform vec3 target;                 // point the flames are drawn to
uniform float targetAttraction;      // spring constant of that pull, 1/s^2
uniform vec3 sphereCenter;           // particles live inside this sphere only
uniform float sphereRadius;

const uint BUDGET_BASE = 2147483647u;
const float MAX_STEP = 1.0 / 30.0;  // longest motion step: a stalled frame moves no further
const float DRAG = 3.0;             // velocity damping of a flame, 1/s
const float BUOYANCY = 2.5;         // upward acceleration of hot gas, m/s^2
const float JITTER = 4.0;           // random sideways acceleration of the flicker, m/s^2
const float EMBER_DRAG = 1.2;       // embers coast further...
const float EMBER_JITTER = 9.0;     // ...and zigzag more
const uint EMBER_SHARE = 20u;       // one particle in this many is an ember
const float PI = 3.14159265;

// The cauldron hangs over the source (tools/assetgen/scene/Cauldron.cpp): its belly, an ellipsoid,
// and above the belly's widest ring a wall up to the rim. Both are a few centimetres larger than
// the iron, so flames lick along the outside of the pot rather than into it.
const vec3 BELLY_OFFSET = vec3(-0.045, 0.659, 0.016);  // belly centre from the source, metres
const vec3 BELLY_RADII = vec3(0.68, 0.42, 0.68);
const float WALL_RADIUS = 0.64;
const float WALL_TOP = 0.98;  // rim height above the source

// Integer hash (lowbias32): a well mixed 32-bit value from any input.
uint hash(uint x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

// Next uniform number in [0, 1) of a particle's random sequence.
float random01(inout uint state) {
    state = hash(state);
    return float(state >> 8) * (1.0 / 16777216.0);
}

// Uniform point in the unit ball: cube root of a uniform radius fraction times a uniform direction.
vec3 randomInBall(inout uint state) {
    float cosTheta = 2.0 * random01(state) - 1.0;
    float phi = 2.0 * PI * random01(state);
    float r = pow(random01(state), 1.0 / 3.0);
    float sinTheta = sqrt(max(0.0, 1.0 - cosTheta * cosTheta));
    return r * vec3(sinTheta * cos(phi), cosTheta, sinTheta * sin(phi));
}

// Whether particle i is one of this frame's emission slots: the particles form a ring, and the
// frame emits the slots from emissionStart on, as many as the budget holds. Which particles spawn
// so depends on the frame alone, never on the order in which the invocations run.
bool emitsThisFrame(uint i, uint count) {
    uint emitted = min(atomicCounter(emitBudget) - BUDGET_BASE, count);
    return (i + count - emissionStart) % count < emitted;
}

bool isEmber(uint i) { return hash(i * 7u + 1u) % EMBER_SHARE == 0u; }

// Keeps a point out of the pot: a point inside the belly or the wall is moved onto its surface and
// the velocity loses its part into the surface, so the flow slides along the iron.
void slideAroundPot(inout vec3 position, inout vec3 velocity) {
    vec3 local = position - (sourceBasePos + BELLY_OFFSET);
    vec3 normal;
    if (local.y < 0.0) {
        vec3 q = local / BELLY_RADII;
        float k = length(q);
        if (k >= 1.0) return;
        // Scaling the point out along its ray from the centre puts it on the ellipsoid.
        position += local * (1.0 / max(k, 1e-3) - 1.0);
        normal = normalize(q / BELLY_RADII);
    } else {
        float r = length(local.xz);
        if (local.y > WALL_TOP || r >= WALL_RADIUS) return;
        vec2 out2 = r > 1e-4 ? local.xz / r : vec2(1.0, 0.0);
        position.xz += out2 * (WALL_RADIUS - r);
        normal = vec3(out2.x, 0.0, out2.y);
    }
    velocity -= min(dot(velocity, normal), 0.0) * normal;
}

void spawn(uint i, inout uint state) {
    // Spawn point: the source spread as an ellipsoid (a disc when the vertical spread is 0),
    // denser towards the middle like the base of a flame.
    vec3 position = sourceBasePos + sourcePosSpread * randomInBall(state);
    // The source may sit on or just below the sphere's bottom: a spawn point outside is moved
    // along the line to the centre to just inside the sphere, so no live particle is ever outside.
    vec3 fromCentre = position - sphereCenter;
    float distance = length(fromCentre);
    float inner = 0.98 * sphereRadius;
    if (distance > inner) position = sphereCenter + fromCentre * (inner / distance);

    // Initial velocity: the base velocity scaled by 0.6..1.4 plus a small sideways spread.
    vec3 sideways = vec3(random01(state) - 0.5, 0.0, random01(state) - 0.5) * 0.6;
    vec3 velocity = sourceBaseVel * mix(0.6, 1.4, random01(state)) + sideways;
    if (isEmber(i)) velocity *= 0.5;  // embers rise from the glowing bed, not with the flames
    float size = mix(0.7, 1.3, random01(state));
    // Life 0.75..1.25 times the base: the mean stays the base, the flame edge stays ragged.
    float life = sourceBaseTimeToLive * mix(0.75, 1.25, random01(state));

    positions[i] = vec4(position, size);
    velocities[i] = vec4(velocity, float(state & 0xFFFFFFu));
    lives[i] = life;
}

void main() {
    uint i = gl_GlobalInvocationID.x;
    if (i >= uint(lives.length())) return;

    vec4 velocityState = velocities[i];
    // Each particle keeps its own random sequence; mixing in the index separates the sequences
    // of particles that start from the same (zero) state.
    uint state = hash(uint(velocityState.w) ^ hash(i));
    float life = lives[i];

    if (life <= 0.0) {
        if (emitsThisFrame(i, uint(lives.length()))) spawn(i, state);
        return;
    }

    vec4 positionSize = positions[i];
    vec3 position = positionSize.xyz;
    vec3 velocity = velocityState.xyz;

    // Motion over h = min(dt, MAX_STEP): buoyancy, a spring towards the target (it also holds the
    // flames close to the pot's axis) and flicker jitter, integrated explicitly, then drag applied
    // implicitly, v / (1 + drag h), which damps for every h and never overshoots.
    bool ember = isEmber(i);
    float h = min(deltaT, MAX_STEP);
    float jitterStrength = ember ? EMBER_JITTER : JITTER;
    vec3 jitter = vec3(random01(state) - 0.5, 0.0, random01(state) - 0.5) * (2.0 * jitterStrength);
    vec3 acceleration =
        (target - position) * targetAttraction + vec3(0.0, BUOYANCY, 0.0) + jitter;
    velocity = (velocity + acceleration * h) / (1.0 + (ember ? EMBER_DRAG : DRAG) * h);
    position += velocity * h;
    slideAroundPot(position, velocity);

    // Ageing uses the whole frame time; leaving the sphere ends the particle at once.
    life -= deltaT;
    if (length(position - sphereCenter) > sphereRadius) life = 0.0;

    positions[i] = vec4(position, positionSize.w);
    velocities[i] = vec4(velocity, float(state & 0xFFFFFFu));
    lives[i] = life;
}
