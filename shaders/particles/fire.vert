#version 430 core
// Fire particle to view space; the geometry shader turns it into a sprite.
layout(location = 0) in vec4 aPosition;  // world position xyz, w sprite size factor
layout(location = 1) in float aLife;     // seconds of life left; 0 or less: dead

uniform mat4 viewMatrix;
uniform float inverseTimeToLiveTotal;  // 1 / the seconds over which fire turns to smoke

out ParticleData {
    float size;      // sprite size factor
    float youth;     // 1 while fresh, falling to 0 at death: the fire-to-smoke blend
    float lifeLeft;  // seconds left
} particle;

void main() {
    gl_Position = viewMatrix * vec4(aPosition.xyz, 1.0);
    particle.size = aPosition.w;
    particle.youth = clamp(aLife * inverseTimeToLiveTotal, 0.0, 1.0);
    particle.lifeLeft = aLife;
}
