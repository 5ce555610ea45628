#pragma once

#include <GL/glew.h>

#include "Obj.h"

class ShaderProgram;

// A wireframe unit cube centred at the origin; placed over a mesh's box by its model matrix.
// All boxes share one vertex array, one element buffer and one program, made by the first box.
class BoundingBox : public Obj {
public:
    BoundingBox();
    // A plain placed object that makes no GL resources: what a mesh holds before its box is set.
    struct WithoutResources {};
    explicit BoundingBox(WithoutResources) {}

    virtual void update();
    virtual void draw(glm::mat4 model, glm::mat4 viewProj);

    // All bits set until the first box has made the shared resources.
    static GLuint sharedVertexArray;
    static GLuint sharedElementBuffer;
    static ShaderProgram* sharedProgram;

private:
    static void makeSharedResources();
};
