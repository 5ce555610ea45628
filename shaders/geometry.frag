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
uniform float u_maxAnisotropy;  // the driver's, which the material textures are filtered with
uniform float u_averageBeyond;  // repeats a pixel may span before it sees the texture's average

// Untextured surfaces get a neutral grey; their highlights stay faint.
const vec3 kPlainAlbedo = vec3(0.5);
const float kPlainSpecular = 0.1;
// Normal maps fade out with distance, where their detail would only shimmer.
const float kNormalDetailRange = 60.0;
// Texture coordinates are taken relative to the triangle's own repeat of the texture (the material
// textures repeat, so the shift changes nothing that is seen, and keeps the values small), and
// sampled with explicit derivatives, conditioned the way an anisotropic filter of N =
// u_maxAnisotropy treats them: the footprint's narrow axis is widened to at least 1/N of its long
// one. Where the long axis spans more than u_averageBeyond repeats the pixel sees the texture's
// average, its coarsest mip level, and the filter is never handed its coordinates or derivatives.
// Such pixels lie on the horizon of a surface or on a sliver seen edge-on, where the helper
// pixels of a 2 x 2 block extrapolate the triangle far beyond its corners.
//
// The limit depends on the filter. A GPU's anisotropic filter takes up to N trilinear probes along
// the long axis (major, in repeats), each at the level whose texel is max(minor, major / N)
// repeats wide. Once major / N reaches one repeat, that level is the coarsest, a single texel
// holding the average (for a square texture; an oblong one's is a texel or two across): the filter
// itself shows next to nothing else. So on a GPU the limit is N repeats (u_averageBeyond = N), past
// which the shortcut changes next to nothing the filter would have drawn; below it the probes keep
// the detail across the narrow axis. A software rasteriser's elliptical filter visits every texel
// under the footprint instead, and spent up to minutes on one such block; footprints of two to four
// repeats still cost it seconds (14 s for the rug's edge, seen from the cauldron at 40 s). There
// the limit is one repeat (u_averageBeyond = 1), past which a pixel shows next to nothing but the
// average anyway.

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
    beyondDetail = !(major <= u_averageBeyond);  // NaN too
    if (beyondDetail || major == 0.0) {
        gradX = vec2(0.0);
        gradY = vec2(0.0);
        return;
    }
    vec2 along = longer / major;
    vec2 across = vec2(-along.y, along.x);
    float minor = dot(shorter, across);  // the footprint's width across its long axis
    float narrowest = major / u_maxAnisotropy;
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
