#version 430 core
// A falling drop becomes a thin vertical streak turned towards the camera; parked drops (not
// falling) emit nothing.
layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

uniform mat4 projMatrix;
uniform mat4 viewMatrix;
uniform float speed;  // apparent fall speed that the streak blurs, m/s
uniform vec2 scale;   // streak width and length in milliseconds of fall at that speed

out vec2 streakCoord;  // x across the streak 0..1, y from the drop (0) to the tail (1)
out float streakFade;  // opacity left after widening a streak thinner than a pixel

const float MIN_ANGULAR_WIDTH = 0.003;  // radians: about 1.5 pixels of 384 rows at 45 degrees

const float PARKED_BELOW_Y = -1.0e5;  // rain.comp parks drops at -1e6

void main() {
    vec3 drop = gl_in[0].gl_Position.xyz;
    if (drop.y < PARKED_BELOW_Y) return;

    // Motion blur: the streak covers the distance fallen in scale.y ms at speed m/s, trailing
    // above the drop; its width is scale.x ms of that fall.
    vec2 size = scale * speed * 0.001;
    vec3 head = (viewMatrix * vec4(drop, 1.0)).xyz;
    vec3 tail = (viewMatrix * vec4(drop + vec3(0.0, size.y, 0.0), 1.0)).xyz;

    // Sideways direction perpendicular to both the streak and the line of sight, so the streak
    // shows its full width to the camera. Seen end-on the streak has no visible extent.
    vec3 side = cross(tail - head, head);
    float sideLength = length(side);
    if (sideLength < 1e-8) return;
    // A centimetre-wide streak is far thinner than a pixel a few metres away and would not
    // rasterise at all: it keeps at least the width that a pixel and a half subtends, and is made
    // fainter by as much as it was widened, so distant rain stays a fine veil.
    float width = max(size.x, MIN_ANGULAR_WIDTH * length(head));
    streakFade = sqrt(size.x / width);
    side *= 0.5 * width / sideLength;

    const vec3 ends[4] = vec3[](vec3(-1.0, 0.0, 0.0), vec3(1.0, 0.0, 0.0), vec3(-1.0, 1.0, 0.0),
                                vec3(1.0, 1.0, 0.0));
    for (int k = 0; k < 4; ++k) {
        vec3 corner = mix(head, tail, ends[k].y) + side * ends[k].x;
        gl_Position = projMatrix * vec4(corner, 1.0);
        streakCoord = vec2(ends[k].x * 0.5 + 0.5, ends[k].y);
        EmitVertex();
    }
    EndPrimitive();
}
