#version 430 core
// Fire sprite: the fire image blended towards the smoke image as the particle ages, faded softly
// where the sprite comes close to the scene behind it.
in vec2 spriteCoord;
in float youth;
in float fadeOut;
in float spriteDistance;

out vec4 fragColor;

uniform sampler2D texFire;   // unit 0
uniform sampler2D texSmoke;  // unit 1
uniform int hasTexFire;      // 0 until the images are loaded: a drawn glow stands in
uniform int hasTexSmoke;
uniform mat4 viewMatrix;
// The scene's world positions (alpha 1 where geometry is, 0 where none), bound to unit 2.
layout(binding = 2) uniform sampler2D sceneFragPos;

const float FIRE_INTENSITY = 2.0;  // HDR gain of the flame colour
const float SMOKE_OPACITY = 0.35;  // smoke sprites are thinner than flame sprites
const float SOFT_RANGE = 0.3;      // metres over which a sprite fades in front of geometry
const vec3 FIRE_CORE = vec3(1.0, 0.6, 0.2);    // drawn flame without its image: hot core,
const vec3 FIRE_EDGE = vec3(0.8, 0.18, 0.02);  // cooler rim
const vec3 SMOKE_FALLBACK = vec3(0.22, 0.2, 0.19);

void main() {
    // Round sprite mask: 1 in the middle, falling smoothly to 0 at the inscribed circle's edge.
    float radius = length(spriteCoord - 0.5) * 2.0;
    float mask = 1.0 - radius * radius;
    mask = max(mask, 0.0) * max(mask, 0.0);

    // Without an image the flame is drawn: hot in the middle and while young, redder outwards.
    vec3 drawnFlame = mix(FIRE_EDGE, FIRE_CORE, (1.0 - radius) * youth);
    vec4 fire = hasTexFire != 0 ? texture(texFire, spriteCoord) : vec4(drawnFlame, 0.8);
    vec4 smoke = hasTexSmoke != 0 ? texture(texSmoke, spriteCoord) : vec4(SMOKE_FALLBACK, 1.0);
    fire.rgb *= FIRE_INTENSITY;
    smoke.a *= SMOKE_OPACITY;
    vec4 colour = mix(smoke, fire, youth);

    // Soft particles: compare the view distance of the scene at this pixel with the sprite's;
    // the sprite fades over SOFT_RANGE metres in front of the surface instead of cutting it.
    float soft = 1.0;
    vec4 scene = texture(sceneFragPos, gl_FragCoord.xy / vec2(textureSize(sceneFragPos, 0)));
    if (scene.a > 0.5) {
        float sceneDistance = -(viewMatrix * vec4(scene.xyz, 1.0)).z;
        soft = clamp((sceneDistance - spriteDistance) / SOFT_RANGE, 0.0, 1.0);
    }

    fragColor = vec4(colour.rgb, colour.a * mask * fadeOut * soft);
}
