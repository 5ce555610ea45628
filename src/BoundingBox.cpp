#include "BoundingBox.h"

#include "GlLabels.h"
#include "ShaderProgram.h"

GLuint BoundingBox::sharedVertexArray = static_cast<GLuint>(-1);
GLuint BoundingBox::sharedElementBuffer = static_cast<GLuint>(-1);
ShaderProgram* BoundingBox::sharedProgram = nullptr;

namespace {
const float kCubeVertices[8 * 3] = {
    -0.5f, -0.5f, -0.5f, 0.5f, -0.5f, -0.5f, 0.5f, 0.5f, -0.5f, -0.5f, 0.5f, -0.5f,
    -0.5f, -0.5f, 0.5f,  0.5f, -0.5f, 0.5f,  0.5f, 0.5f, 0.5f,  -0.5f, 0.5f, 0.5f,
};
// The edges of the z = -0.5 face, of the z = 0.5 face, and the four between them.
const GLuint kEdgeIndices[24] = {0, 1, 2, 3, 4, 5, 6, 7, 0, 4, 1, 5,
                                 2, 6, 3, 7, 0, 3, 1, 2, 4, 7, 5, 6};
}  // namespace

BoundingBox::BoundingBox() {
    if (sharedVertexArray == static_cast<GLuint>(-1)) makeSharedResources();
}

void BoundingBox::makeSharedResources() {
    GLuint vertexBuffer = 0;
    glGenVertexArrays(1, &sharedVertexArray);
    glGenBuffers(1, &vertexBuffer);
    glGenBuffers(1, &sharedElementBuffer);

    glBindVertexArray(sharedVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(kCubeVertices), kCubeVertices, GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, sharedElementBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(kEdgeIndices), kEdgeIndices, GL_STATIC_DRAW);
    labelGlObject(GL_BUFFER, vertexBuffer, "bounding box corners");
    labelGlObject(GL_BUFFER, sharedElementBuffer, "bounding box edges");
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);

    sharedProgram = new ShaderProgram("basic.vert", "basic.frag");
}

void BoundingBox::update() {}

void BoundingBox::draw(glm::mat4 model, glm::mat4 viewProj) {
    glUseProgram(sharedProgram->id);
    sharedProgram->setMat4("modelMat", model);
    sharedProgram->setMat4("viewProjMat", viewProj);
    glBindVertexArray(sharedVertexArray);
    glDrawElements(GL_LINES, 24, GL_UNSIGNED_INT, nullptr);
}
