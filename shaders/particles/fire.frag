#version 430 core
// Fire sprite. A flame burns in the colours of heat: a yellow-white core while it is young and
// hot, orange in the body of the fire, a dull red at the tips as it cools; it then turns into a
// thin, dark smoke puff (the smoke image) that still glows orange from the fire below while it is
// fresh. Embers are small glowing specks that twinkle. Sprites are blended "over"
// (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA), so however many overlap, the fire is never brighter than
// its brightest sprite: the core glows without a white-out. Every sprite fades softly where it
// comes close to the scene behind it.
in vec2 spriteCoord;
in float youth;
in float heat;
in float ember;
in float seed;
in float fadeOut;
in float secondsLeft;
in float spriteDistance;

out vec4 fragColor;

uniform sampler2D texFire;
uniform sampler2D texSmoke;
uniform int hasTexFire;      // 0 until the images are loaded: a drawn glow stands in
uniform int hasTexSmoke;
uniform mat4 viewMatrix;
// The scene's world positions (alpha 1 where geometry is, 0 where none).
uniform sampler2D sceneFragPos;

// HDR colours of heat. At night the tone mapping shows a luminance near 1 as full brightness: the
// core goes over it in red and green but not in blue, so it burns yellow-white and glows in the
// bloom without turning white.
const vec3 FLAME_CORE = vec3(2.6, 1.75, 0.7);
const vec3 FLAME_BODY = vec3(1.7, 0.62, 0.1);
const vec3 COOLED_FLAME = vec3(0.55, 0.09, 0.015);  // a flame's dull red just before smoke
const float FLAME_OPACITY = 0.85;
// The smoke image is a mid grey; this scales it to soot lit by the night only.
const vec3 SMOKE_SHADE = vec3(0.1, 0.095, 0.09);
const vec3 SMOKE_GLOW = vec3(0.4, 0.12, 0.03);      // firelight on fresh smoke
const float SMOKE_OPACITY = 0.2;
const vec3 EMBER_COLOUR = vec3(1.3, 0.6, 0.12);
const float SOFT_RANGE = 0.1;  // metres over which a sprite fades in front of geometry
const vec3 FIRE_CORE = vec3(1.0, 0.75, 0.35);  // drawn flame without its image: hot core,
const vec3 FIRE_EDGE = vec3(0.9, 0.3, 0.05);   // cooler rim
const vec3 SMOKE_FALLBACK = vec3(0.5);

void main() {
    // Round sprite mask: 1 in the middle, falling smoothly to 0 at the inscribed circle's edge
    // (the flame image has its own shape).
    float radius = length(spriteCoord - 0.5) * 2.0;
    float mask = max(1.0 - radius * radius, 0.0);

    vec4 colour;
    if (ember > 0.5) {
        // A speck that flickers as it tumbles, each at its own phase.
        float twinkle = 0.6 + 0.4 * sin(secondsLeft * 40.0 + seed * 60.0);
        colour = vec4(EMBER_COLOUR * twinkle, mask * mask);
    } else {
        vec3 drawnFlame = mix(FIRE_EDGE, FIRE_CORE, 1.0 - radius);
        vec4 fireImage = hasTexFire != 0 ? texture(texFire, spriteCoord) : vec4(drawnFlame, mask);
        vec4 smokeImage =
            hasTexSmoke != 0 ? texture(texSmoke, spriteCoord) : vec4(SMOKE_FALLBACK, mask);
        // The image's brightness is where the sprite's own core is; with the particle's heat it
        // picks the colour from the ramp core, body, cooled.
        float imageCore = clamp(dot(fireImage.rgb, vec3(0.5, 0.4, 0.1)), 0.0, 1.0);
        float glow = heat * (0.55 + 0.45 * imageCore);
        vec3 flameColour = glow > 0.5 ? mix(FLAME_BODY, FLAME_CORE, glow * 2.0 - 1.0)
                                      : mix(COOLED_FLAME, FLAME_BODY, glow * 2.0);
        vec4 flame = vec4(flameColour, fireImage.a * FLAME_OPACITY * mix(0.5, 1.0, heat));
        // Fresh smoke carries the fire's glow; old smoke is the dark grey of soot.
        vec3 smokeColour = smokeImage.rgb * SMOKE_SHADE + SMOKE_GLOW * youth * youth;
        vec4 smoke = vec4(smokeColour, smokeImage.a * SMOKE_OPACITY * mask);
        // The turn from flame to smoke takes the last fifth of the flame's time.
        colour = mix(smoke, flame, smoothstep(0.8, 1.0, youth));
    }

    // Soft particles: compare the view distance of the scene at this pixel with the sprite's;
    // the sprite fades over SOFT_RANGE metres in front of the surface instead of cutting it.
    float soft = 1.0;
    vec4 scene = texture(sceneFragPos, gl_FragCoord.xy / vec2(textureSize(sceneFragPos, 0)));
    if (scene.a > 0.5) {
        float sceneDistance = -(viewMatrix * vec4(scene.xyz, 1.0)).z;
        soft = clamp((sceneDistance - spriteDistance) / SOFT_RANGE, 0.0, 1.0);
    }

    fragColor = vec4(colour.rgb, colour.a * fadeOut * soft);
}
