#version 430 core
// Geometry pass: fills the four G-buffer attachments.
in VertexOut {
    vec3 worldPos;
    vec3 viewPos;
    vec2 texCoords;
    flat vec2 texOrigin;
    vec3 normal;
    vec3 tangent;
    vec3 bitangent;
} fs;

layout(location = 0) out vec4 outColorSpec;  // albedo as the texture stores it (sRGB), specular
layout(location = 1) out vec4 outFragPos;    // world position; alpha 1 marks geometry
layout(location = 2) out vec3 outNormal;     // world normal
layout(location = 3) out vec3 outViewSpace;  // view-space position

uniform sampler2D u_texDiffuse;
uniform sampler2D u_texSpecular;
uniform sampler2D u_texNormal;
uniform bool u_useDiff;
uniform bool u_useSpec;
uniform bool u_useNormal;
uniform vec3 u_camPos;

// Untextured surfaces get a neutral grey; their highlights stay faint.
const vec3 kPlainAlbedo = vec3(0.5);
const float kPlainSpecular = 0.1;
// Normal maps fade out with distance, where their detail would only shimmer.
const float kNormalDetailRange = 60.0;
// Texture coordinates are sampled relative to the triangle's own repeat of the texture and kept
// within this many repeats of it. The material textures repeat, so the shift changes nothing
// that is seen. The bound matters where a 2 x 2 pixel block straddles the horizon of a large
// surface: its helper pixels extrapolate the triangle past the vanishing line, to coordinates
// and derivatives of millions of repeats, and a software rasteriser's anisotropic filter then
// spends seconds on that one block.
const float kRepeatReach = 64.0;

void main() {
    vec2 uv = clamp(fs.texCoords - fs.texOrigin, -kRepeatReach, kRepeatReach);
    vec4 albedo = u_useDiff ? texture(u_texDiffuse, uv) : vec4(kPlainAlbedo, 1.0);
    // Cut-out textures (leaves, wrought iron): their transparent texels are holes.
    if (albedo.a < 0.5) discard;
    float specular = u_useSpec ? texture(u_texSpecular, uv).r : kPlainSpecular;

    vec3 n = normalize(fs.normal);
    if (!gl_FrontFacing) n = -n;
    if (u_useNormal && dot(fs.tangent, fs.tangent) > 1e-8 && dot(fs.bitangent, fs.bitangent) > 1e-8) {
        // Tangent space to world: the map's red follows the tangent (u), green the bitangent (v).
        vec3 t = normalize(fs.tangent - n * dot(n, fs.tangent));
        vec3 b = normalize(fs.bitangent);
        vec3 mapped = texture(u_texNormal, uv).xyz * 2.0 - 1.0;
        float detail = clamp(1.0 - distance(u_camPos, fs.worldPos) / kNormalDetailRange, 0.0, 1.0);
        mapped.xy *= detail;
        vec3 perturbed = normalize(mat3(t, b, n) * mapped);
        if (all(equal(perturbed, perturbed))) n = perturbed;  // keeps the plain normal over NaN
    }

    outColorSpec = vec4(albedo.rgb, specular);
    outFragPos = vec4(fs.worldPos, 1.0);
    outNormal = n;
    outViewSpace = fs.viewPos;
}
