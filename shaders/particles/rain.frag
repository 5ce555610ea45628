#version 430 core
// Rain streak: a pale, faint line, brightest along its middle and at the drop, fading to its tail.
in vec2 streakCoord;
in float streakFade;
out vec4 fragColor;

const vec3 RAIN_COLOUR = vec3(0.75, 0.8, 0.9);
const float RAIN_OPACITY = 0.45;

void main() {
    float across = 1.0 - abs(streakCoord.x * 2.0 - 1.0);  // 1 in the middle, 0 at the edges
    float along = 1.0 - streakCoord.y;                    // 1 at the drop, 0 at the tail
    fragColor = vec4(RAIN_COLOUR, RAIN_OPACITY * streakFade * across * (0.3 + 0.7 * along));
}
