#version 430 core
// A live particle becomes a camera-facing square in view space; dead particles emit nothing.
// Flames grow a little as they rise, smoke puffs spread wide, embers stay specks.
layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

uniform mat4 projMatrix;

in ParticleData {
    float size;
    float youth;
    float heat;
    float lifeLeft;
    float ember;
    float seed;
} particle[];

out vec2 spriteCoord;      // 0..1 across the sprite
out float youth;           // passed on
out float heat;            // passed on
out float ember;           // passed on
out float seed;            // passed on
out float fadeOut;         // 0..1, falls to 0 over the last stretch of life
out float secondsLeft;     // life left
out float spriteDistance;  // view-space distance along the view axis

// Flame sprites are wide enough to overlap their neighbours by half: the flames read as one body
// of fire licking round the pot, not as separate tongues.
const float FLAME_HALF_SIZE = 0.17;  // metres, a flame as it cools (hot ones are tighter)
const float SMOKE_HALF_SIZE = 0.32;  // metres, smoke at the end of life
const float EMBER_HALF_SIZE = 0.018;
const float FLAME_STRETCH = 1.8;     // height over width of a flame sprite
const float FADE_SECONDS = 0.4;      // smoke thins away over its last this many seconds

void main() {
    if (particle[0].lifeLeft <= 0.0) return;

    vec4 centre = gl_in[0].gl_Position;
    float flameSize = FLAME_HALF_SIZE * mix(1.0, 0.8, particle[0].heat);
    float halfSize = particle[0].ember > 0.5
                         ? EMBER_HALF_SIZE
                         : particle[0].size * mix(SMOKE_HALF_SIZE, flameSize, particle[0].youth);
    const vec2 corners[4] = vec2[](vec2(-1.0, -1.0), vec2(1.0, -1.0), vec2(-1.0, 1.0),
                                   vec2(1.0, 1.0));
    for (int k = 0; k < 4; ++k) {
        // Offsets in the view plane keep the square facing the camera; flames stand taller than
        // wide, and relax into round puffs as they turn to smoke.
        vec2 offset = corners[k] * halfSize;
        // Every other flame is mirrored, so that neighbours do not repeat one outline.
        if (particle[0].seed > 0.5) offset.x = -offset.x;
        if (particle[0].ember < 0.5) offset.y *= mix(1.0, FLAME_STRETCH, particle[0].youth);
        vec4 corner = centre + vec4(offset, 0.0, 0.0);
        gl_Position = projMatrix * corner;
        spriteCoord = corners[k] * 0.5 + 0.5;
        youth = particle[0].youth;
        heat = particle[0].heat;
        ember = particle[0].ember;
        seed = particle[0].seed;
        fadeOut = clamp(particle[0].lifeLeft / FADE_SECONDS, 0.0, 1.0);
        secondsLeft = particle[0].lifeLeft;
        spriteDistance = -corner.z;
        EmitVertex();
    }
    EndPrimitive();
}
