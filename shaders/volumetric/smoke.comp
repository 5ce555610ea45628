#version 430 core
// Smoke grid simulation, one cell per invocation, in four passes chosen by "operation":
//   0  advection of velocity and density, buoyancy, decay and the source pulse
//   1  divergence of the advected velocity
//   2  one Jacobi iteration of the pressure Poisson equation (run 20 times, "jacobiPing" flips)
//   3  projection: the pressure gradient subtracted from the velocity
// Units: grid cells and seconds. The bottom (the brew in the cauldron) is a wall; the sides and
// the top are open air, where the pressure is ambient (0) and air flows freely in and out.
//
// Texture layout through one step. No pass reads a texel that another invocation of the same
// pass writes: each pass reads one set of textures and writes another, and where a pass reads and
// writes the same texture it reads only the texel of its own invocation.
//   pass      reads                                   writes
//   0         velocity (sampler): rgb u, a density    volume: rgb u*, a density
//   1         volume rgb (neighbours)                 velocity: r 0, g divergence
//   2, ping 1 scalar (neighbours), velocity g (own)   velocity: r pressure, g divergence
//   2, ping 0 velocity r (neighbours), velocity g     scalar: pressure
//   3, ping 1 scalar (neighbours), volume (own)       velocity: rgb projected u, a density
// The pressure solve starts from the scalar texture, which still holds the previous step's
// pressure (a warm start). After an even number of iterations the pressure is back in the
// scalar texture and "jacobiPing" is 1 again, so pass 3 never reads the texture it writes.
// The volume texture keeps the advected density in alpha for the ray march.
layout(local_size_x = 8, local_size_y = 8, local_size_z = 8) in;

layout(rgba16f, binding = 0) uniform image3D volumeImage;
layout(rgba16f, binding = 1) uniform image3D velocityImage;
layout(r16f, binding = 2) uniform image3D scalarImage;
uniform sampler3D volumeVelocitySampler;  // the velocity texture, trilinear

uniform ivec3 globalSize;
uniform float deltaT;       // frame time, seconds
uniform int operation;
uniform int jacobiPing;     // 1: pressure in the scalar texture; 0: in the velocity texture's r
uniform float sourceRate;   // density injected per second at the source's core; 0 between pulses
uniform vec3 sourceVelocity;  // velocity imposed at the source while it pulses, cells/s
uniform ivec3 sourceStart;  // the source is the segment between these two cells
uniform ivec3 sourceEnd;
uniform float buoyancy;     // upward acceleration per unit density, cells/s^2

const float MAX_STEP = 1.0 / 30.0;    // longest simulated step: a stalled frame stays stable
const float DENSITY_DECAY = 0.35;     // 1/s: smoke thins out as it rises
const float VELOCITY_DECAY = 0.2;     // 1/s: the air slowly comes to rest
const float SOURCE_RADIUS = 4.0;      // cells: width of the Gaussian source
const float MAX_DENSITY = 8.0;
const float MAX_SPEED = 64.0;         // cells/s; also keeps every value far inside half floats

bool insideGrid(ivec3 c) {
    return all(greaterThanEqual(c, ivec3(0))) && all(lessThan(c, globalSize));
}

// Replaces a non-finite value by clean, still air.
vec4 finiteOrZero(vec4 v) {
    return (any(isnan(v)) || any(isinf(v))) ? vec4(0.0) : v;
}

vec3 limitSpeed(vec3 u) {
    float speed = length(u);
    return speed > MAX_SPEED ? u * (MAX_SPEED / speed) : u;
}

// Source strength at a cell centre: a Gaussian of the distance to the source segment.
float sourceWeight(vec3 p) {
    vec3 a = vec3(sourceStart) + 0.5;
    vec3 b = vec3(sourceEnd) + 0.5;
    vec3 ab = b - a;
    float t = clamp(dot(p - a, ab) / max(dot(ab, ab), 1e-6), 0.0, 1.0);
    float d = length(p - (a + t * ab));
    return exp(-0.5 * d * d / (SOURCE_RADIUS * SOURCE_RADIUS));
}

// Pass 0: semi-Lagrangian advection (trace each cell back along its velocity and take the
// trilinear value found there), then forces and the source.
void advect(ivec3 c) {
    float h = clamp(deltaT, 0.0, MAX_STEP);
    vec3 centre = vec3(c) + 0.5;
    vec3 u = texelFetch(volumeVelocitySampler, c, 0).xyz;
    vec3 from = centre - u * h;
    vec4 state;
    vec3 size = vec3(globalSize);
    if (any(greaterThan(from, size)) || from.x < 0.0 || from.z < 0.0) {
        state = vec4(0.0);  // air drawn in through the open sides and top is clean and still
    } else {
        // Below the bottom wall the texture's edge clamp repeats the bottom cells.
        state = texture(volumeVelocitySampler, from / size);
    }
    vec3 velocity = state.xyz * exp(-VELOCITY_DECAY * h);
    float density = state.w * exp(-DENSITY_DECAY * h);
    velocity.y += buoyancy * density * h;  // smoke is warm: it rises

    float w = sourceWeight(centre);
    if (sourceRate > 0.0) {
        density += sourceRate * h * w;
        velocity = mix(velocity, sourceVelocity, w);
    }
    density = clamp(density, 0.0, MAX_DENSITY);
    imageStore(volumeImage, c, finiteOrZero(vec4(limitSpeed(velocity), density)));
}

// Advected velocity of a neighbour for the divergence: zero in the bottom wall, the cell's own
// beyond the open sides and top (free outflow).
vec3 wallVelocity(ivec3 n, vec3 own) {
    if (insideGrid(n)) return imageLoad(volumeImage, n).xyz;
    return n.y < 0 ? vec3(0.0) : own;
}

// Pass 1: divergence by central differences (cell spacing 1).
void divergence(ivec3 c) {
    vec3 own = imageLoad(volumeImage, c).xyz;
    float div = 0.5 * (wallVelocity(c + ivec3(1, 0, 0), own).x - wallVelocity(c - ivec3(1, 0, 0), own).x +
                       wallVelocity(c + ivec3(0, 1, 0), own).y - wallVelocity(c - ivec3(0, 1, 0), own).y +
                       wallVelocity(c + ivec3(0, 0, 1), own).z - wallVelocity(c - ivec3(0, 0, 1), own).z);
    imageStore(velocityImage, c, vec4(0.0, div, 0.0, 0.0));
}

// Neighbour coordinates for the pressure: clamped into the grid, so that a neighbour in the
// bottom wall reads the cell's own pressure (no flow through the wall); beyond the open sides and
// top the pressure is 0 (ambient), see pressureOf.
ivec3 pressureCell(ivec3 n) {
    return clamp(n, ivec3(0), globalSize - 1);
}
float pressureOf(ivec3 n, float stored) {
    bool open = n.y >= 0 && (n.y >= globalSize.y || any(lessThan(n.xz, ivec2(0))) ||
                             any(greaterThanEqual(n.xz, globalSize.xz)));
    return open ? 0.0 : stored;
}

// Sum of the six neighbours' pressures, from the half of the solve that "jacobiPing" names (a
// uniform branch: every invocation reads the same texture).
float neighbourPressureSum(ivec3 c) {
    const ivec3 offsets[6] = ivec3[](ivec3(1, 0, 0), ivec3(-1, 0, 0), ivec3(0, 1, 0),
                                     ivec3(0, -1, 0), ivec3(0, 0, 1), ivec3(0, 0, -1));
    float sum = 0.0;
    if (jacobiPing == 1) {
        for (int k = 0; k < 6; ++k) {
            ivec3 n = c + offsets[k];
            sum += pressureOf(n, imageLoad(scalarImage, pressureCell(n)).r);
        }
    } else {
        for (int k = 0; k < 6; ++k) {
            ivec3 n = c + offsets[k];
            sum += pressureOf(n, imageLoad(velocityImage, pressureCell(n)).r);
        }
    }
    return sum;
}

// Pass 2: Jacobi step of  laplacian(p) = div u:  p = (sum of the six neighbours - div) / 6.
void jacobi(ivec3 c) {
    vec4 own = imageLoad(velocityImage, c);  // r pressure (ping 0), g divergence
    float p = (neighbourPressureSum(c) - own.g) / 6.0;
    if (isnan(p) || isinf(p)) p = 0.0;
    if (jacobiPing == 1) {
        imageStore(velocityImage, c, vec4(p, own.g, 0.0, 0.0));
    } else {
        imageStore(scalarImage, c, vec4(p));
    }
}

// Pass 3: u = u* - grad p, which leaves the velocity free of divergence. The pressure is in the
// scalar texture here ("jacobiPing" is 1 after the even number of iterations).
float scalarPressure(ivec3 n) {
    return pressureOf(n, imageLoad(scalarImage, pressureCell(n)).r);
}
void project(ivec3 c) {
    vec3 gradient = 0.5 * vec3(scalarPressure(c + ivec3(1, 0, 0)) - scalarPressure(c - ivec3(1, 0, 0)),
                               scalarPressure(c + ivec3(0, 1, 0)) - scalarPressure(c - ivec3(0, 1, 0)),
                               scalarPressure(c + ivec3(0, 0, 1)) - scalarPressure(c - ivec3(0, 0, 1)));
    vec4 advected = imageLoad(volumeImage, c);
    vec3 velocity = limitSpeed(advected.xyz - gradient);
    imageStore(velocityImage, c, finiteOrZero(vec4(velocity, advected.w)));
}

void main() {
    ivec3 c = ivec3(gl_GlobalInvocationID);
    if (!insideGrid(c)) return;
    if (operation == 0) {
        advect(c);
    } else if (operation == 1) {
        divergence(c);
    } else if (operation == 2) {
        jacobi(c);
    } else {
        project(c);
    }
}
