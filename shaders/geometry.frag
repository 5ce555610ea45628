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
// textures repeat, so the shift changes nothing that is seen, and keeps the values small), and
// sampled with explicit derivatives, conditioned the way an anisotropic filter of 16 treats them:
// the footprint's narrow axis is widened to at least 1/16 of its long one. Where one pixel spans
// more than kWidestFootprint repeats it sees the texture's average, its coarsest mip level.
// Such pixels lie on the horizon of a surface or on a sliver seen edge-on, where the helper
// pixels of a 2 x 2 block extrapolate the triangle far beyond its corners; a software
// rasteriser's elliptical anisotropic filter, which visits every texel under the footprint, spent
// up to minutes on one such block. The filter is therefore never handed their coordinates or
// derivatives. One repeat is the limit because footprints of two to four still cost it seconds
// (14 s for the rug's edge, seen from the cauldron at 40 s), and a pixel that spans a whole repeat
// shows next to nothing but the average.
const float kWidestFootprint = 1.0;

vec2 uv;
vec2 gradX;
vec2 gradY;
bool beyondDetail;

vec4 sampleMap(sampler2D map) {
    vec4 detailed = textureGrad(map, beyondDetail ? vec2(0.0) : uv, gradX, gradY);
    return beyondDetail ? texelFetch(map, ivec2(0), textureQueryLevels(map) - 1) : detailed;
}

void conditionGradients() {
    gradX = dFdx(uv);
    gradY = dFdy(uv);
    bool xLonger = dot(gradX, gradX) >= dot(gradY, gradY);
    vec2 longer = xLonger ? gradX : gradY;
    vec2 shorter = xLonger ? gradY : gradX;
    float major = length(longer);
    beyondDetail = !(major <= kWidestFootprint);  // NaN too
    if (beyondDetail || major == 0.0) {
        gradX = vec2(0.0);
        gradY = vec2(0.0);
        return;
    }
    vec2 along = longer / major;
    vec2 across = vec2(-along.y, along.x);
    float minor = dot(shorter, across);  // the footprint's width across its long axis
    float narrowest = major / 16.0;
    if (abs(minor) >= narrowest) return;
    shorter = along * dot(shorter, along) + across * (minor < 0.0 ? -narrowest : narrowest);
    if (xLonger) gradY = shorter; else gradX = shorter;
}

void main() {
    uv = fs.texCoords - fs.texOrigin;
    conditionGradients();
    vec4 albedo = u_useDiff ? sampleMap(u_texDiffuse) : vec4(kPlainAlbedo, 1.0);
    // Cut-out textures (leaves, wrought iron): their transparent texels are holes.
    if (albedo.a < 0.5) discard;
    // Passed on as stored: the lighting pass reads the top of the range (a specular map's near-white
    // texels: candle flames, embers) as a surface that shines with its own colour.
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
        if (!any(isnan(perturbed))) n = perturbed;  // keeps the plain normal over NaN
    }

    outColorSpec = vec4(albedo.rgb, specular);
    outFragPos = vec4(fs.worldPos, 1.0);
    outNormal = n;
    outViewSpace = fs.viewPos;
}
