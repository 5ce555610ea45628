#pragma once

#include <glm/glm.hpp>
#include <memory>
#include <string>
#include <vector>

#include "GlTestFixture.h"
#include "TestFiles.h"

// An axis-aligned box as an OBJ object with one material, faces wound outwards.
struct SceneBox {
    std::string name;
    glm::vec3 min;
    glm::vec3 max;
    std::string material = "stone";
};

// A temporary scene directory (shaders/ linked, a model, a sky of six flat colours, the loading
// picture: every file the renderer loads), the working directory while the object lives.
class TestScene {
public:
    explicit TestScene(const std::vector<SceneBox>& boxes);
    ~TestScene();

    // The flat colour (0..255) of sky face i, in the order +X, -X, +Y, -Y, +Z, -Z.
    static glm::vec3 skyFaceColour(int face);
    const std::string& path() const { return dir.path(); }

private:
    TempDir dir;
    std::string previous;
};

// A GL test in a scene directory of its own, which goes before the GL checks of the test's end.
class SceneGlTest : public GlTest {
protected:
    std::unique_ptr<TestScene> scene;
    void TearDown() override {
        scene.reset();
        GlTest::TearDown();
    }
};
