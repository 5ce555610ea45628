#version 430 core
// Shadow view: the light's depth cube map unfolded into a cross of square faces, as if standing at
// the light and turning round. The middle row looks along -x, -z, +x and +z in turn, the face
// above the -z face looks up (+y), the one below it down (-y); neighbouring faces meet along
// their shared edges. Each texel holds the distance to the nearest surface divided by the shadow
// range, shown as a grey that is white at the light and darker with distance, e-fold for every
// sixth of the range (as in the depth view, the near metres span most of the greys).
in vec2 texCoords;
out vec4 fragColor;

uniform samplerCube u_shadowCube;  // unit 0: distance / range, in 0..1
uniform float u_aspect;            // the picture's width / height

const float FALLOFF = 1.0 / 6.0;  // of the range

struct Face {
    vec3 forward;
    vec3 right;
    vec3 up;
};

void main() {
    // The cross is 4 faces wide and 3 high, centred in the picture with square faces.
    vec2 cell = vec2(4.0, 3.0);
    vec2 scale = u_aspect > 4.0 / 3.0 ? vec2(u_aspect * 3.0 / 4.0, 1.0)
                                      : vec2(1.0, 4.0 / 3.0 / u_aspect);
    vec2 p = ((texCoords - 0.5) * scale + 0.5) * cell;  // in faces, origin bottom left
    ivec2 index = ivec2(floor(p));
    vec2 local = fract(p) * 2.0 - 1.0;  // -1..1 across the face, y up

    // Outside the cross the -z face is sampled all the same and its value left unused: the sample
    // comes before any pixel of the 2x2 quad leaves, since its level of detail needs them all.
    Face face = Face(vec3(0, 0, -1), vec3(1, 0, 0), vec3(0, 1, 0));
    bool inCross = true;
    if (index.y == 1 && index.x >= 0 && index.x < 4) {
        const Face row[4] = Face[4](Face(vec3(-1, 0, 0), vec3(0, 0, -1), vec3(0, 1, 0)),
                                    Face(vec3(0, 0, -1), vec3(1, 0, 0), vec3(0, 1, 0)),
                                    Face(vec3(1, 0, 0), vec3(0, 0, 1), vec3(0, 1, 0)),
                                    Face(vec3(0, 0, 1), vec3(-1, 0, 0), vec3(0, 1, 0)));
        face = row[index.x];
    } else if (index.x == 1 && index.y == 2) {
        face = Face(vec3(0, 1, 0), vec3(1, 0, 0), vec3(0, 0, 1));
    } else if (index.x == 1 && index.y == 0) {
        face = Face(vec3(0, -1, 0), vec3(1, 0, 0), vec3(0, 0, -1));
    } else {
        inCross = false;
    }
    vec3 direction = face.forward + local.x * face.right + local.y * face.up;
    float distance = texture(u_shadowCube, direction).r;
    if (!inCross) {
        fragColor = vec4(0.0, 0.0, 0.0, 1.0);
        return;
    }
    fragColor = vec4(vec3(exp(-distance / FALLOFF)), 1.0);
}
