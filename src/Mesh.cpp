#include "Mesh.h"

#include <cstddef>
#include <cstdio>

#include "ShaderProgram.h"
#include "TextureUnits.h"

namespace {
GLenum unitForType(int type) {
    switch (type) {
        case Diffuse:
            return GL_TEXTURE0 + units::kDiffuseMap;
        case Specular:
            return GL_TEXTURE0 + units::kSpecularMap;
        case Normal:
            return GL_TEXTURE0 + units::kNormalMap;
        default:
            printf("Unexpected TextureType for tex unit in Mesh. Returning 0\n");
            return GL_TEXTURE0;
    }
}

const char* samplerForType(int type) {
    switch (type) {
        case Diffuse: return "u_texDiffuse";
        case Specular: return "u_texSpecular";
        case Normal: return "u_texNormal";
        default:
            printf("Unexpected TextureType for tex uniform in Mesh. Returning 0\n");
            return "u_texDiffuse";
    }
}

const char* const kFlagForType[3] = {"u_useDiff", "u_useSpec", "u_useNormal"};
}  // namespace

void Mesh::setModelMatrix(glm::mat4 matrix) { Obj::setModelMatrix(matrix); }

void Mesh::setupMesh() {
    glGenVertexArrays(1, &vao);
    glGenBuffers(1, &vbo);
    glGenBuffers(1, &ebo);

    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, vertices.size() * sizeof(Vertex), vertices.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ebo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, indices.size() * sizeof(GLuint), indices.data(),
                 GL_STATIC_DRAW);

    struct Attribute {
        GLint components;
        size_t offset;
    };
    const Attribute attributes[5] = {{3, offsetof(Vertex, position)},
                                     {3, offsetof(Vertex, normal)},
                                     {2, offsetof(Vertex, texCoords)},
                                     {3, offsetof(Vertex, tangent)},
                                     {3, offsetof(Vertex, bitangent)}};
    for (GLuint location = 0; location < 5; ++location) {
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, attributes[location].components, GL_FLOAT, GL_FALSE,
                              sizeof(Vertex),
                              reinterpret_cast<const void*>(attributes[location].offset));
    }
    glBindVertexArray(0);
}

void Mesh::setBounds(glm::vec3 max, glm::vec3 min) {
    for (int i = 0; i < 8; ++i) {
        corners[i] = glm::vec3((i & 4) ? min.x : max.x, (i & 2) ? min.y : max.y,
                               (i & 1) ? min.z : max.z);
    }
    size = max - min;
    center = min + size * 0.5f;

    boundingBox = BoundingBox();
    boundingBox.scale(size);
    glm::mat4 placed = boundingBox.modelMatrix;
    placed[3] = glm::vec4(center, 1.0f);
    boundingBox.modelMatrix = placed;
    boundingBox.position = center;
}

void Mesh::draw(const ShaderProgram& shader, const MappingSwitches& switches) {
    if (!textures.empty()) {
        bool used[3] = {false, false, false};
        for (const MeshTexture& texture : textures) {
            if (!switches.enabled(texture.type)) continue;
            const GLenum unit = unitForType(texture.type);
            glActiveTexture(unit);
            shader.setInt(samplerForType(texture.type), static_cast<GLint>(unit - GL_TEXTURE0));
            if (texture.type >= 0 && texture.type < 3) used[texture.type] = true;
            glBindTexture(GL_TEXTURE_2D, texture.id);
        }
        for (int type = 0; type < 3; ++type) {
            if (switches.enabled(type)) shader.setInt(kFlagForType[type], used[type]);
        }
    } else if (switches.diffuse) {
        shader.setInt("u_useDiff", 0);
    }
    shader.setMat4("u_modelMatrix", modelMatrix);
    glBindVertexArray(vao);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, nullptr);
}

void Mesh::setDiffuseTexture(GLuint texture) {
    for (MeshTexture& entry : textures) {
        if (entry.type == Diffuse) entry.id = texture;
    }
}
