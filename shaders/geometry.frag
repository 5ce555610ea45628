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
// Texture coordinates are taken relative to the triangle's own repeat of the texture (the material
// textures repeat, so the shift changes nothing that is seen, and keeps the values small).
// Where one pixel spans more than kWidestFootprint repeats, the 2 x 2 pixel block sees the
// texture's average, its coarsest mip level, fetched without derivatives. Such blocks straddle
// the horizon of a surface or the edge of a sliver seen edge-on: their helper pixels extrapolate
// the triangle far beyond its corners, and a software rasteriser's anisotropic filter (an
// elliptical filter that visits every texel under the footprint) spent up to minutes on one of
// them. So that the filter never sees those derivatives, such blocks hand it one constant
// coordinate, and the block keeps the average instead.
const float kWidestFootprint = 4.0;

vec2 uv;
bool beyondDetail;

vec4 sampleMap(sampler2D map) {
    vec4 detailed = texture(map, beyondDetail ? vec2(0.0) : uv);
    return beyondDetail ? texelFetch(map, ivec2(0), textureQueryLevels(map) - 1) : detailed;
}

void main() {
    uv = fs.texCoords - fs.texOrigin;
    vec2 footprint = fwidth(uv);
    beyondDetail = !(max(footprint.x, footprint.y) <= kWidestFootprint);  // NaN too
    vec4 albedo = u_useDiff ? sampleMap(u_texDiffuse) : vec4(kPlainAlbedo, 1.0);
    // Cut-out textures (leaves, wrought iron): their transparent texels are holes.
    if (albedo.a < 0.5) discard;
    float specular = u_useSpec ? sampleMap(u_texSpecular).r : kPlainSpecular;

    vec3 n = normalize(fs.normal);
    if (!gl_FrontFacing) n = -n;
    if (u_useNormal && dot(fs.tangent, fs.tangent) > 1e-8 && dot(fs.bitangent, fs.bitangent) > 1e-8) {
        // Tangent space to world: the map's red follows the tangent (u), green the bitangent (v).
        vec3 t = normalize(fs.tangent - n * dot(n, fs.tangent));
        vec3 b = normalize(fs.bitangent);
        vec3 mapped = sampleMap(u_texNormal).xyz * 2.0 - 1.0;
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
