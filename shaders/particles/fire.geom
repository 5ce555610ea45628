#version 430 core
// A live particle becomes a camera-facing square in view space; dead particles emit nothing.
layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

uniform mat4 projMatrix;

in ParticleData {
    float size;
    float youth;
    float lifeLeft;
} particle[];

out vec2 spriteCoord;      // 0..1 across the sprite
out float youth;           // passed on
out float fadeOut;         // 0..1, falls to 0 over the last quarter second of life
out float spriteDistance;  // view-space distance along the view axis

const float FIRE_HALF_SIZE = 0.12;   // metres, fresh flame
const float SMOKE_HALF_SIZE = 0.35;  // metres, smoke at the end of life

void main() {
    if (particle[0].lifeLeft <= 0.0) return;

    vec4 centre = gl_in[0].gl_Position;
    // Flames are small; the smoke they turn into spreads.
    float halfSize = particle[0].size * mix(SMOKE_HALF_SIZE, FIRE_HALF_SIZE, particle[0].youth);
    const vec2 corners[4] = vec2[](vec2(-1.0, -1.0), vec2(1.0, -1.0), vec2(-1.0, 1.0),
                                   vec2(1.0, 1.0));
    for (int k = 0; k < 4; ++k) {
        // Offsets in the view plane keep the square facing the camera.
        vec4 corner = centre + vec4(corners[k] * halfSize, 0.0, 0.0);
        gl_Position = projMatrix * corner;
        spriteCoord = corners[k] * 0.5 + 0.5;
        youth = particle[0].youth;
        fadeOut = clamp(particle[0].lifeLeft * 4.0, 0.0, 1.0);
        spriteDistance = -corner.z;
        EmitVertex();
    }
    EndPrimitive();
}
