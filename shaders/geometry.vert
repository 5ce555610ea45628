#version 430 core
// Geometry pass: world and view-space positions and the tangent frame of each vertex.
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aTexCoords;
layout(location = 3) in vec3 aTangent;
layout(location = 4) in vec3 aBitangent;

out VertexOut {
    vec3 worldPos;
    vec3 viewPos;
    vec2 texCoords;
    flat vec2 texOrigin;  // the whole repeat of the texture the triangle's first vertex lies in
    vec3 normal;
    vec3 tangent;
    vec3 bitangent;
} vs;

uniform mat4 u_modelMatrix;
uniform mat4 u_viewMatrix;
uniform mat4 u_viewProjMatrix;
// The house's own normal matrix. The meshes' own transforms are rigid (turns and moves), so
// their upper 3 x 3 is its own inverse transpose and can be applied to normals directly.
uniform mat4 u_modelMatrixInverseTranspose;

void main() {
    vec4 world = u_modelMatrix * vec4(aPos, 1.0);
    mat3 normalMatrix = mat3(u_modelMatrixInverseTranspose) * mat3(u_modelMatrix);
    vs.worldPos = world.xyz;
    vs.viewPos = (u_viewMatrix * world).xyz;
    vs.texCoords = aTexCoords;
    vs.texOrigin = floor(aTexCoords);
    vs.normal = normalMatrix * aNormal;
    vs.tangent = normalMatrix * aTangent;
    vs.bitangent = normalMatrix * aBitangent;
    gl_Position = u_viewProjMatrix * world;
}
