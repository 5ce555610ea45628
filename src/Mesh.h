#pragma once

#include <GL/glew.h>

#include <array>
#include <string>
#include <vector>

#include "BoundingBox.h"
#include "Obj.h"

class ShaderProgram;

#pragma pack(push, 1)
struct Vertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 texCoords;
    glm::vec3 tangent;
    glm::vec3 bitangent;
};
#pragma pack(pop)
static_assert(sizeof(Vertex) == 56, "the vertex buffer layout is 56 bytes a vertex");

enum TextureType : int32_t { Diffuse = 0, Specular = 1, Normal = 2 };

struct MeshTexture {
    TextureType type;
    GLuint id;
};

// Material switches handed to mesh drawing: diffuse, specular and normal maps, and two more that
// drawing does not read.
struct MappingSwitches {
    bool diffuse = true;
    bool specular = true;
    bool normal = true;
    bool spare1 = true;
    bool spare2 = true;

    MappingSwitches() = default;
    MappingSwitches(bool diffuse, bool specular, bool normal, bool spare1, bool spare2)
        : diffuse(diffuse), specular(specular), normal(normal), spare1(spare1), spare2(spare2) {}
    bool enabled(int type) const { return type == 0 ? diffuse : type == 1 ? specular : normal; }
};

class Mesh : public Obj {
public:
    std::vector<Vertex> vertices;
    std::vector<GLuint> indices;
    std::vector<MeshTexture> textures;
    std::string name;
    // Box corners in the mesh's own coordinates: index bit 2 picks min x, bit 1 min y, bit 0 min z.
    std::array<glm::vec3, 8> corners{};
    glm::vec3 center{0.0f};
    glm::vec3 size{0.0f};
    BoundingBox boundingBox{BoundingBox::WithoutResources{}};
    GLuint vao = 0;
    GLuint vbo = 0;
    GLuint ebo = 0;

    void setModelMatrix(glm::mat4 matrix) override;

    void setupMesh();
    void setBounds(glm::vec3 max, glm::vec3 min);
    // Draws with the program the caller made current.
    void draw(const ShaderProgram& shader, const MappingSwitches& switches);
    void setDiffuseTexture(GLuint texture);
};
