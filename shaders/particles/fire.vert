#version 430 core
// Fire particle to view space; the geometry shader turns it into a sprite. A particle's seconds
// left say where it is in its life: a flame while plenty is left (hotter the more), then smoke.
layout(location = 0) in vec4 aPosition;  // world position xyz, w sprite size factor
layout(location = 1) in float aLife;     // seconds of life left; 0 or less: dead

uniform mat4 viewMatrix;
uniform float inverseTimeToLiveTotal;  // 1 / the seconds over which fire turns to smoke

out ParticleData {
    float size;      // sprite size factor
    float youth;     // 1 while a flame, falling to 0 at death: how fresh the smoke is
    float heat;      // 1 for the hottest fresh flame, 0 where the flame has cooled to smoke
    float lifeLeft;  // seconds left
    float ember;     // 1 for an ember, else 0
    float seed;      // 0..1, fixed per particle: varies shape and flicker
} particle;

// Life left (in units of the fire-to-smoke time) over which a particle is flame, from the
// hottest to the point where it has cooled to smoke. Lives start between 1.1 and 1.9 units: the
// longest-lived are tall hot tongues, the shortest only brief red licks at the base.
const float HOTTEST = 1.75;
const float COOLED = 0.95;
const uint EMBER_SHARE = 20u;  // as in fire.comp

uint hash(uint x) {  // as in fire.comp
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

void main() {
    uint index = uint(gl_VertexID);
    float left = aLife * inverseTimeToLiveTotal;
    gl_Position = viewMatrix * vec4(aPosition.xyz, 1.0);
    particle.size = aPosition.w;
    particle.youth = clamp(left / COOLED, 0.0, 1.0);
    particle.heat = clamp((left - COOLED) / (HOTTEST - COOLED), 0.0, 1.0);
    particle.lifeLeft = aLife;
    particle.ember = hash(index * 7u + 1u) % EMBER_SHARE == 0u ? 1.0 : 0.0;
    particle.seed = float(hash(index) >> 8) * (1.0 / 16777216.0);
}
